#!/bin/sh
# scripts/setup waits for another apt run that holds the package manager's locks instead of
# failing: apt-get stand-ins refuse "update" twice as a held lock does, and record what they get.
set -eu
setup=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
cat >"$work/bin/dpkg-query" <<'SH'
#!/bin/sh
exit 1
SH
cat >"$work/bin/apt-get" <<'SH'
#!/bin/sh
echo "$*" >>"$WORK/calls"
case " $* " in
*" update "*)
  n=$(cat "$WORK/updates" 2>/dev/null || echo 0)
  echo $((n + 1)) >"$WORK/updates"
  if [ "$n" -lt 2 ]; then
    echo "E: Could not get lock /var/lib/apt/lists/lock. It is held by process 1 (apt-get)" >&2
    exit 100
  fi ;;
esac
exit 0
SH
cat >"$work/bin/sudo" <<'SH'
#!/bin/sh
exec "$@"
SH
chmod +x "$work/bin/"*
WORK=$work TAVREL_SETUP_RETRY_SECONDS=0 PATH="$work/bin:$PATH" "$setup" 2>"$work/err" || {
  echo "setup failed while the lock was held:" >&2
  cat "$work/err" >&2
  exit 1
}
[ "$(cat "$work/updates")" = 3 ] || { echo "update ran $(cat "$work/updates") times" >&2; exit 1; }
grep -q "DPkg::Lock::Timeout=600 install" "$work/calls" || {
  echo "install does not wait for dpkg's lock:" >&2
  cat "$work/calls" >&2
  exit 1
}
