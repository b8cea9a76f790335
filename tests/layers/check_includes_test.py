#!/usr/bin/env python3
"""The layer check on small made-up source trees: it refuses what breaks the layers and passes
what keeps them.

    check_includes_test.py CHECK_INCLUDES_PY
"""
import pathlib
import subprocess
import sys
import tempfile
import unittest

CHECK = sys.argv.pop(1) if len(sys.argv) > 1 else str(pathlib.Path(__file__).with_name('check_includes.py'))


def check(files):
    """Runs the check over a tree holding FILES (relative path -> text); (exit status, output)."""
    with tempfile.TemporaryDirectory() as folder:
        src = pathlib.Path(folder)
        for name, text in files.items():
            (src / name).parent.mkdir(parents=True, exist_ok=True)
            (src / name).write_text(text, encoding='utf-8')
        run = subprocess.run([sys.executable, CHECK, str(src)], capture_output=True, text=True)
        return run.returncode, run.stdout


class CheckIncludesTest(unittest.TestCase):
    def test_passes_includes_of_the_own_and_lower_layers(self):
        status, output = check({
            'platform/a.cpp': '#include "platform/a.h"\n#include <QString>\n',
            'app/b.cpp': '#include "app/b.h"\n#include "platform/a.h"\n#include "c.h"\n',
            'windows/main/w.cpp': '#include "windows/main/w.h"\n#include "skin/frame/f.h"\n',
        })
        self.assertEqual(status, 0, output)

    def test_refuses_an_include_of_a_higher_layer(self):
        status, output = check({'platform/a.cpp': '#include "app/x.h"\n'})
        self.assertEqual(status, 1)
        self.assertIn('platform/a.cpp:1: platform may not include app/', output)

    def test_refuses_a_quoted_include_that_climbs_out_of_its_folder(self):
        status, output = check({'platform/a.cpp': '#include "platform/a.h"\n#include "../app/x.h"\n'})
        self.assertEqual(status, 1)
        self.assertIn('platform/a.cpp:2: climbs out of its folder: ../app/x.h', output)

    def test_refuses_a_climb_however_it_is_written(self):
        samples = ['#include "../../skin/frame/f.h"', '  #  include "common/../../app/x.h"',
                   '#include <windows/../app/x.h>', '#include ".."']
        for sample in samples:
            with self.subTest(sample=sample):
                status, output = check({'windows/main/w.cpp': sample + '\n'})
                self.assertEqual(status, 1, output)
                self.assertIn('climbs out of its folder', output)


if __name__ == '__main__':
    unittest.main()
