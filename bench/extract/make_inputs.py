#!/usr/bin/env python3
"""Writes the benchmark inputs into a folder (never into the repository):

    big.ipa      about SIZE MiB (default 1024) with thousands of members, shaped like a
                 large game: stored assets, deflated resources, frameworks, extensions and
                 localisations, each bundle with its Info.plist
    big.bplist   a large binary property list (about 20 MB)

    python3 make_inputs.py OUTDIR [SIZE_MIB]
"""
import os
import plistlib
import random
import sys
import zipfile

STAMP = (2024, 5, 17, 12, 0, 0)
LANGS = ["en", "zh-Hans", "zh_CN", "zh-Hant", "ja", "ko", "fr", "de", "es", "it", "pt", "ru", "ar", "th",
         "vi", "id", "ms", "tr", "pl", "nl", "sv", "da", "fi", "nb", "cs", "hu", "el", "he", "uk", "ro"]


def info(name, kind="APPL"):
    return plistlib.dumps({
        "CFBundleDisplayName": name, "CFBundleExecutable": name, "CFBundleIdentifier": "com.example." + name,
        "CFBundlePackageType": kind, "CFBundleShortVersionString": "5.4.3", "CFBundleVersion": "543",
        "MinimumOSVersion": "13.0", "UIDeviceFamily": [1, 2],
    }, fmt=plistlib.FMT_BINARY)


def add(z, name, data, method):
    zi = zipfile.ZipInfo(name, STAMP)
    zi.compress_type = method
    zi.external_attr = 0o100644 << 16
    z.writestr(zi, data)


def big_ipa(path, size_mib):
    rng = random.Random(20240517)
    app = "Payload/Game.app/"
    asset_size = 256 << 10
    assets = max(1, (size_mib << 20) // asset_size)
    with zipfile.ZipFile(path, "w", allowZip64=True) as z:
        add(z, "iTunesMetadata.plist", plistlib.dumps({"bundleDisplayName": "Game", "bundleShortVersionString": "5.4.3"}),
            zipfile.ZIP_DEFLATED)
        add(z, app + "Info.plist", info("Game"), zipfile.ZIP_DEFLATED)
        for i in range(assets):
            # Packed assets: incompressible, stored as they are.
            add(z, app + "Data/Raw/asset%05d.bundle" % i, rng.randbytes(asset_size), zipfile.ZIP_STORED)
            if i % 2 == 0:
                text = ("// resource %d\n" % i + "value = %d;\n" % rng.randrange(10**9)) * 40
                add(z, app + "Data/Text/res%05d.txt" % i, text.encode(), zipfile.ZIP_DEFLATED)
        for i in range(20):
            add(z, app + "Frameworks/Kit%02d.framework/Info.plist" % i, info("Kit%02d" % i, "FMWK"),
                zipfile.ZIP_DEFLATED)
            add(z, app + "Frameworks/Kit%02d.framework/Kit%02d" % (i, i), rng.randbytes(64 << 10),
                zipfile.ZIP_DEFLATED)
        for i in range(8):
            add(z, app + "PlugIns/Ext%d.appex/Info.plist" % i, info("Ext%d" % i, "XPC!"), zipfile.ZIP_DEFLATED)
        for lang in LANGS:
            add(z, app + lang + ".lproj/InfoPlist.strings",
                ('"CFBundleDisplayName" = "Game %s";\n' % lang).encode("utf-16"), zipfile.ZIP_DEFLATED)


def big_bplist(path):
    rng = random.Random(7)
    items = []
    for i in range(120000):
        items.append({
            "name": "条目 %d & <%d>" % (i, rng.randrange(1000)),
            "id": i,
            "score": rng.random() * 1000,
            "flag": i % 3 == 0,
            "tags": ["t%d" % rng.randrange(50) for _ in range(3)],
            "blob": rng.randbytes(16),
        })
    with open(path, "wb") as f:
        plistlib.dump({"items": items, "count": len(items)}, f, fmt=plistlib.FMT_BINARY, sort_keys=False)


def main():
    out = sys.argv[1]
    size = int(sys.argv[2]) if len(sys.argv) > 2 else 1024
    os.makedirs(out, exist_ok=True)
    big_ipa(os.path.join(out, "big.ipa"), size)
    big_bplist(os.path.join(out, "big.bplist"))


if __name__ == "__main__":
    main()
