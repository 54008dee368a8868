#!/bin/sh
# A private CUPS server with one PDF queue for the printing tests.
#   test-cups.sh start   starts it and prints the variables to export
#                        (nothing when it cannot: the queue tests then skip)
#   test-cups.sh stop DIR  stops the server started in DIR and removes DIR
# The PDF backend runs only as root; it writes into ~/PDF of the job's user.
set -e
case "$1" in
start)
  if [ "$(id -u)" -ne 0 ] || [ ! -x /usr/sbin/cupsd ] || [ ! -x /usr/lib/cups/backend/cups-pdf ]; then
    echo "test-cups.sh: no private CUPS queue (needs root, cups and printer-driver-cups-pdf)" >&2
    exit 0
  fi
  dir=$(mktemp -d /tmp/quelmark-cups.XXXXXX)
  mkdir -p "$dir/conf/ppd" "$dir/spool/tmp" "$dir/cache" "$dir/state" "$dir/log"
  chmod 0755 "$dir" "$dir/conf" "$dir/spool"
  cat >"$dir/conf/cupsd.conf" <<EOC
Listen $dir/cups.sock
LogLevel warn
WebInterface No
Browsing No
<Location />
  Order allow,deny
  Allow all
</Location>
EOC
  cat >"$dir/conf/cups-files.conf" <<EOC
ServerRoot $dir/conf
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
SystemGroup root
EOC
  /usr/sbin/cupsd -f -c "$dir/conf/cupsd.conf" -s "$dir/conf/cups-files.conf" </dev/null >/dev/null 2>&1 &
  echo $! >"$dir/cupsd.pid"
  export CUPS_SERVER="$dir/cups.sock"
  i=0
  until lpstat -r >/dev/null 2>&1; do
    i=$((i + 1))
    if [ $i -gt 50 ]; then
      echo "test-cups.sh: cupsd did not start" >&2
      "$0" stop "$dir"
      exit 0
    fi
    sleep 0.1
  done
  # A scheduler that answers may still be reading its drivers on a busy machine.
  i=0
  until { lpadmin -p QuelmarkTest -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null \
    || lpadmin -p QuelmarkTest -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null; } \
    && lpadmin -d QuelmarkTest 2>/dev/null; do
    i=$((i + 1))
    if [ $i -gt 50 ]; then
      echo "test-cups.sh: the test queue could not be added" >&2
      "$0" stop "$dir"
      exit 1
    fi
    sleep 0.2
  done
  home=$(getent passwd "$(id -un)" | cut -d: -f6)
  echo "export CUPS_SERVER='$dir/cups.sock' QUELMARK_TEST_QUEUE=QuelmarkTest QUELMARK_TEST_QUEUE_OUT='$home/PDF' QUELMARK_TEST_CUPS_DIR='$dir'"
  ;;
stop)
  dir=$2
  [ -n "$dir" ] && [ -f "$dir/cupsd.pid" ] || exit 0
  pid=$(cat "$dir/cupsd.pid")
  kill "$pid" 2>/dev/null || true
  while kill -0 "$pid" 2>/dev/null; do sleep 0.1; done
  rm -rf "$dir"
  ;;
*)
  echo "usage: test-cups.sh start | stop DIR" >&2
  exit 2
  ;;
esac
