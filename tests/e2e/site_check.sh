#!/usr/bin/env bash
# vorlanxhost check on a hostile site: a storage.ini with bad lines, areas and categories with
# every kind of finding, a lock held by another process, a slow and a dead file server of the
# tests' own. The JSON report is parsed and held against one table, and nothing else, each
# finding at a place of its own; the human report names the same; --tidy removes the store's
# leftovers and leaves someone else's folder, as the advice said it would.
# usage: site_check.sh BIN_FOLDER TESTS_FOLDER FILESERVER
set -uo pipefail
bin=$1 tests=$(cd "$2" && pwd)
export VORLANX_FILESERVER=$3
. "$(dirname "$0")/../../scripts/helpers.sh"
[ -e /dev/fuse ] || { echo "no /dev/fuse on this machine: skipped"; exit 77; }
work=$(mktemp -d)
servers=$work/servers
mkdir -p "$servers"
# The lock holder is let go and waited for before its folder goes (it also ends once it is gone).
trap 'touch "$work/release"; [ -z "${holder:-}" ] || wait "$holder"; unserve_all; rm -rf "$work"' EXIT
cp "$bin"/*.dll "$bin"/vorlanxhost.exe "$work"/
dev=$work/dev1 st=$work/dev1/userroot/storage
for a in "OPEN open" "BLOCKED blocked" "RO open yes" "HID open no yes" "RESTR restricted" \
         "LOCKED open" "TYPO open"; do make_area "$dev" $a; done
mkdir -p "$st/NOCTL"
make_area "$dev" "Łódź" open  # names that code page 1252 (the C locale's) cannot write
printf '[login]\r\nacess = open\r\n' >"$st/TYPO/login.ctl"
o=$st/OPEN long=$(printf 'N%.0s' {1..55})
mkdir -p "$o/서울" "$o/CAT/SUB" "$o/NODESC" "$o/CON" "$o/A#B" "$o/category.txt" "$o/$long" "$o/UNREAD/category.txt" \
         "$o/~cn1A2B.tmp" "$o/~cn0BAD.tmp" "$o/CAT.~rename"
for c in CAT "$long" ~cn1A2B.tmp ~cn0BAD.tmp; do echo words >"$o/$c/category.txt"; done
head -c 400 /dev/zero | tr '\0' a >"$o/CAT/SUB/category.txt"
echo half >"$o/CAT/~ct12.tmp"
echo stray >"$o/~ct99.tmp"
echo theirs >"$o/~cn0BAD.tmp/notes.doc"
ln -s "$o/CAT" "$o/LINK"
# Levels of 40 bytes until a category's folder path is longer than 246 bytes.
deep=$o deepcat=""
while :; do
    level=$(printf 'D%.0s' {1..40}); deep=$deep/$level; deepcat=${deepcat:+$deepcat#}$level
    mkdir -p "$deep"
    [ ${#deep} -gt 244 ] && break
    echo words >"$deep/category.txt"
done
mkdir -p "$work/SLOW/dev/userroot/storage" "$work/DEAD/dev/userroot/storage"
make_area "$work/SLOW/dev" S1 open
serve SRVSLOW "$work/SLOW"
serve SRVDEAD "$work/DEAD"
printf '\xef\xbb\xbf[devices]\r\n9 = C:\\Łódź\r\n1 = %s\r\nbroken\r\n2 = \\\\SRVSLOW\\share\\dev\r\n3 = \\\\SRVDEAD\\share\\dev\r\n4 = relative\\dir\r\n1 = Z:\\elsewhere\r\n[options]\r\nserver_deadline_ms = 1000ms\r\n' \
    "$(winpath "$dev")" >"$work/storage.ini"
(cd / && exec wine "$tests/lock_holder.exe" "$(winpath "$st/LOCKED/~vorlanx.lck")" "$(winpath "$work")" \
    >/dev/null 2>&1) &
holder=$!
for _ in $(seq 600); do [ -e "$work/held" ] && break; sleep 0.05; done
[ -e "$work/held" ] || fail "the lock holder did not take the lock"

# check EXPECTED_STATUS ARGS...: the check with the dead server dead; the server comes back once
# the report is out, so that the program can end (Wine waits for its blocked server call).
check() {
    local want=$1; shift
    echo "delay=0 dead=1" >"$servers/SRVDEAD.ctl"; echo "delay=800 dead=0" >"$servers/SRVSLOW.ctl"
    sleep 0.1
    (cd / && wine "$work/vorlanxhost.exe" check "$@" >"$work/out" 2>&1; echo $? >"$work/status") &
    local pid=$!
    rm -f "$work/status"
    for _ in $(seq 600); do
        grep -q '"summary"\|checked in' "$work/out" 2>/dev/null || [ -e "$work/status" ] && break
        sleep 0.1
    done
    echo "delay=0 dead=0" >"$servers/SRVDEAD.ctl"
    wait "$pid"
    out=$(tr -d '\r' <"$work/out")
    [ "$(cat "$work/status")" -eq "$want" ] || fail "check $* exited $(cat "$work/status"), not $want: $out"
}
# findings: the JSON report's (severity kind device area category path), sorted; paths below the
# work folder from it, with / for \.
findings() {
    W=$(winpath "$work") python3 -c 'import json, os, sys
r = json.loads(sys.stdin.read())
assert set(r["summary"]) == {"errors", "warnings", "infos", "devices", "areas", "categories", "seconds"}
places = [tuple(f[k] for k in ("kind", "device", "area", "category", "path")) for f in r["findings"]]
assert len(set(places)) == len(places), "two findings at one place"
for f in r["findings"]:
    assert f["message"] and f["advice"], f
    f["path"] = f["path"].replace(os.environ["W"], "").replace("\\", "/")
    print("|".join(f[k] for k in ("severity", "kind", "device", "area", "category", "path")))' <<<"$out" | sort
}
expected() { sort <<<"$1"; }

S=/dev1/userroot/storage O=/dev1/userroot/storage/OPEN
ini="warning|name-not-in-code-page||||/storage.ini
error|bad-device-line||||/storage.ini
error|bad-device-line|4|||/storage.ini
warning|duplicate-device|1|||/storage.ini
warning|bad-option||||"
site="$ini
error|slow-server|2|||//SRVSLOW/share/
error|unreachable-server|3|||//SRVDEAD/share/
info|blocked-area|1|BLOCKED||$S/BLOCKED/login.ctl
info|readonly-area|1|RO||$S/RO/login.ctl
info|hidden-area|1|HID||$S/HID/login.ctl
info|restricted-area|1|RESTR||$S/RESTR/login.ctl
error|no-login-control|1|NOCTL||$S/NOCTL/login.ctl
error|unknown-login-key|1|TYPO||$S/TYPO/login.ctl
warning|lock-held|1|LOCKED||$S/LOCKED/~vorlanx.lck
warning|name-not-in-code-page|1|<U+0141><U+00F3>d<U+017A>||$S/<U+0141><U+00F3>d<U+017A>"
open="warning|description-too-long|1|OPEN|CAT#SUB|$O/CAT/SUB/category.txt
info|no-description|1|OPEN|NODESC|$O/NODESC/category.txt
warning|name-not-in-code-page|1|OPEN|<U+C11C><U+C6B8>|$O/<U+C11C><U+C6B8>
error|reserved-name|1|OPEN|CON|$O/CON
error|reserved-name|1|OPEN|A#B|$O/A#B
warning|own-name|1|OPEN|category.txt|$O/category.txt
warning|link-skipped|1|OPEN|LINK|$O/LINK
error|name-too-long|1|OPEN|$long|$O/$long
error|path-too-long|1|OPEN|$deepcat|${deep#"$work"}
warning|own-name|1|OPEN|UNREAD#category.txt|$O/UNREAD/category.txt
error|unreadable-description|1|OPEN|UNREAD|$O/UNREAD/category.txt"
leftovers="warning|leftover|1|OPEN|CAT#~ct12.tmp|$O/CAT/~ct12.tmp
warning|leftover|1|OPEN|~cn1A2B.tmp|$O/~cn1A2B.tmp
warning|leftover|1|OPEN|~cn0BAD.tmp|$O/~cn0BAD.tmp
warning|leftover|1|OPEN|CAT.~rename|$O/CAT.~rename
warning|leftover|1|OPEN|~ct99.tmp|$O/~ct99.tmp"

check 1 --json
[ "$(findings)" == "$(expected "$site"$'\n'"$open"$'\n'"$leftovers")" ] ||
    fail "the site's findings: $(diff <(findings) <(expected "$site"$'\n'"$open"$'\n'"$leftovers"))"
# The advice tells the leftovers that the tidying keeps from those it removes.
kept=$(python3 -c 'import json, sys
for f in json.loads(sys.stdin.read())["findings"]:
    if f["kind"] == "leftover" and "keeps it" in f["message"]: print(f["category"])' <<<"$out" | sort)
[ "$kept" == "$(expected $'~cn0BAD.tmp\nCAT.~rename\n~ct99.tmp')" ] || fail "kept by the tidying: $kept"
# Each name the code page cannot write comes with the code pages that can.
[[ $out == *"write it: 1250, 1257, 65001."*"write it: 949, 65001."* ]] || fail "writers: $out"
check 1
for kind in bad-device-line duplicate-device bad-option slow-server unreachable-server lock-held \
            unknown-login-key reserved-name link-skipped leftover; do
    [[ $out == *" $kind"* ]] || fail "the human report does not name $kind: $out"
done
[[ $out == *"Device 1, area OPEN:"* && $out == *"errors, "*"checked in"* && $out != *"Device 4"* ]] ||
    fail "grouping: $out"
check 2 --frobnicate
check 2 1 OPEN CAT

check 1 --json --tidy 1 OPEN
tidied=$(sed '1,2s/^warning/info/' <<<"$leftovers")
[ "$(findings)" == "$(expected "$ini"$'\n'"$open"$'\n'"$tidied")" ] || fail "after --tidy: $(findings)"
[ ! -e "$o/CAT/~ct12.tmp" ] && [ ! -e "$o/~cn1A2B.tmp" ] || fail "--tidy left the store's leftovers"
[ "$(cat "$o/~cn0BAD.tmp/notes.doc" "$o/~cn0BAD.tmp/category.txt")" == $'theirs\nwords' ] ||
    fail "--tidy touched a folder of someone else's"

printf '[devices]\r\n1 = %s\r\n' "$(winpath "$dev")" >"$work/storage.ini"
check 0 1 RO

[ "$failures" -eq 0 ] && echo "site_check: all checks passed"
exit $((failures > 0))
