#!/bin/sh
# as_ordinary_user.sh NEEDED_FILE PROGRAM [ARGUMENT...]
# Runs a test program as the unprivileged user nobody when the tests run as root, so that what
# an ordinary user meets (no sandbox switched off, user namespaces of its own) is checked too;
# run by anyone else, the program runs as it is. Skipped (77) when nobody cannot reach the
# program or NEEDED_FILE (a build in a private folder).
needed=$1
shift
if [ "$(id -u)" != 0 ]; then
  exec "$@"
fi
as_nobody="setpriv --reuid=65534 --regid=65534 --clear-groups"
if ! $as_nobody test -x "$1" || ! $as_nobody test -r "$needed"; then
  echo "skipped: the unprivileged user cannot reach the build"
  exit 77
fi
exec $as_nobody env HOME=/tmp "$@"
