#!/bin/bash
# Runs a command against a scheduler of its own: a private cupsd listening on
# a socket in a temporary folder, with one cups-pdf queue "NumeraPDF" (also
# the default queue). The command sees
#   CUPS_SERVER       the scheduler's socket
#   NUMERA_PDF_OUT    the folder cups-pdf writes the printed PDF files into
# and its exit status is the script's. The machine's own scheduler, queues
# and files are never touched: cups-pdf reads its settings from
# /etc/cups/cups-pdf.conf only, so the scheduler runs in a mount namespace of
# its own where our settings are mounted over that file.
#
#   tests/support/private-cups.sh COMMAND [ARGUMENT...]
#
# When the scheduler cannot start, the script says why on standard error and
# exits with 77 (ctest's SKIP_RETURN_CODE).
set -u

skip() {
    echo "private-cups: $*; skipped" >&2
    exit 77
}

if [ $# -eq 0 ]; then
    echo "usage: $0 COMMAND [ARGUMENT...]" >&2
    exit 2
fi

# Inside the namespace from here on (mounts made here vanish with it).
if [ -z "${NUMERA_PRIVATE_CUPS_NS:-}" ]; then
    [ "$(id -u)" = 0 ] || skip "needs root to start cupsd with its own cups-pdf settings"
    command -v unshare >/dev/null || skip "unshare is missing"
    NUMERA_PRIVATE_CUPS_NS=1 exec unshare --mount --propagation private -- "$0" "$@"
    skip "cannot make a mount namespace"
fi

for tool in cupsd lpadmin lpstat; do
    command -v "$tool" >/dev/null || [ -x "/usr/sbin/$tool" ] || skip "$tool is missing"
done
[ -x /usr/lib/cups/backend/cups-pdf ] || skip "the cups-pdf backend is missing"
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd
[ -r "$ppd" ] || skip "$ppd is missing"
PATH="$PATH:/usr/sbin"

root=$(mktemp -d /tmp/numera-cups.XXXXXX) || skip "no temporary folder"
# The scheduler's user (lp) walks into the spool below it.
chmod 755 "$root"
mkdir -p "$root/spool" "$root/tmp" "$root/cache" "$root/state" "$root/log" "$root/pdf" \
    "$root/pdf-spool" "$root/ppd"
chmod 777 "$root/pdf"
chmod 1777 "$root/tmp"
socket="$root/cups.sock"

cat >"$root/cupsd.conf" <<EOF
Listen $socket
LogLevel warn
Browsing Off
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
    Allow all
  </Limit>
</Policy>
EOF
cat >"$root/cups-files.conf" <<EOF
User lp
Group lp
SystemGroup root lpadmin
ServerRoot $root
RequestRoot $root/spool
TempDir $root/tmp
CacheDir $root/cache
StateDir $root/state
AccessLog $root/log/access_log
ErrorLog $root/log/error_log
PageLog $root/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
EOF
cat >"$root/cups-pdf.conf" <<EOF
Out $root/pdf
AnonDirName $root/pdf
Spool $root/pdf-spool
Log $root/log
Grp root
DecodeHexStrings 1
EOF
if [ -e /etc/cups/cups-pdf.conf ]; then
    mount --bind "$root/cups-pdf.conf" /etc/cups/cups-pdf.conf ||
        skip "cannot mount our cups-pdf settings"
else
    skip "/etc/cups/cups-pdf.conf is missing (cups-pdf is not set up)"
fi

cupsd -f -c "$root/cupsd.conf" -s "$root/cups-files.conf" >"$root/log/cupsd.out" 2>&1 &
cupsd_pid=$!
cleanup() {
    kill "$cupsd_pid" 2>/dev/null
    wait "$cupsd_pid" 2>/dev/null
    umount /etc/cups/cups-pdf.conf 2>/dev/null
    rm -rf "$root"
}
trap cleanup EXIT

for _ in $(seq 1 100); do
    [ -S "$socket" ] && break
    kill -0 "$cupsd_pid" 2>/dev/null || break
    sleep 0.1
done
if [ ! -S "$socket" ]; then
    cat "$root/log/cupsd.out" "$root/log/error_log" >&2 2>/dev/null
    skip "cupsd did not start"
fi
export CUPS_SERVER="$socket"

queued=0
for _ in $(seq 1 50); do
    lpadmin -p NumeraPDF -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_noopt.ppd 2>/dev/null ||
        lpadmin -p NumeraPDF -E -v cups-pdf:/ -P "$ppd" 2>/dev/null
    if lpstat -p NumeraPDF >/dev/null 2>&1; then
        queued=1
        break
    fi
    sleep 0.2
done
[ "$queued" = 1 ] || skip "the queue NumeraPDF could not be added"
lpadmin -d NumeraPDF >/dev/null 2>&1
# Through the default PostScript renderer the fonts come out as Type 3 glyphs
# without their characters; cairo keeps the text readable by pdftotext.
lpadmin -p NumeraPDF -o pdftops-renderer-default=pdftocairo >/dev/null 2>&1
cupsenable NumeraPDF >/dev/null 2>&1
cupsaccept NumeraPDF >/dev/null 2>&1

export NUMERA_PDF_OUT="$root/pdf"
"$@"
status=$?
if [ "$status" != 0 ] && [ "$status" != 77 ]; then
    echo "private-cups: the scheduler's log:" >&2
    tail -n 30 "$root/log/error_log" >&2 2>/dev/null
fi
exit "$status"
