# Shell helpers for the demo and the end-to-end tests: laying out areas, counting failures,
# running the host. Source it.

# winpath PATH: the Unix path as Wine's Z: drive names it.
winpath() { local p=${1//\//\\}; echo "Z:$p"; }

# make_area DEVICE_FOLDER AREA ACCESS [READONLY [HIDDEN]]: an area folder with its login control
# file.
make_area() {
    mkdir -p "$1/userroot/storage/$2"
    printf '[login]\r\naccess = %s\r\nreadonly = %s\r\nhidden = %s\r\n' "$3" "${4:-no}" "${5:-no}" \
        >"$1/userroot/storage/$2/login.ctl"
}

# fail MESSAGE: says it and counts it; end a test with: exit $((failures > 0)).
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# run_host FOLDER ARGS...: FOLDER's vorlanxhost.exe, run from another folder, with what it prints
# on standard output without the console's CRs; its exit status is the host's.
run_host() {
    local folder=$1
    shift
    (cd / && wine "$folder/vorlanxhost.exe" "$@" | tr -d '\r'; exit "${PIPESTATUS[0]}")
}

# serve NAME FOLDER: the tests' file server (VORLANX_FILESERVER) serving FOLDER as \\NAME\share in
# WINEPREFIX, its control file in $servers/NAME.ctl ("delay=MS dead=0|1"); unserve_all ends them
# and waits for them (a server also ends by itself once its control file is gone).
serve() {
    local mount=$servers/$1 link=$WINEPREFIX/dosdevices/unc/$1
    mkdir -p "$mount" "$link"
    echo "delay=0 dead=0" >"$mount.ctl"
    touch "$2/served"
    "$VORLANX_FILESERVER" "$2" "$mount" "$mount.ctl" >/dev/null 2>&1 &
    echo $! >"$mount.pid"
    for _ in $(seq 100); do [ -e "$mount/served" ] && break; sleep 0.05; done
    ln -sfn "$mount" "$link/share"
}
unserve_all() {
    local pid
    for pid in "$servers"/*.pid; do
        [ -f "$pid" ] || continue
        echo "delay=0 dead=0" >"${pid%.pid}.ctl"
        rm -f "$WINEPREFIX/dosdevices/unc/$(basename "${pid%.pid}")/share"
        fusermount3 -uz "${pid%.pid}" 2>/dev/null
        kill "$(cat "$pid")" 2>/dev/null
    done
    for pid in "$servers"/*.pid; do
        [ -f "$pid" ] && wait "$(cat "$pid")" 2>/dev/null
    done
    return 0
}

# end_tree PID: ends PID and every process under it, by their ids: ending only the subshell
# that runs a program leaves the program running.
end_tree() {
    local child
    for child in $(ps -o pid= --ppid "$1"); do end_tree "$child"; done
    kill "$1" 2>/dev/null || true
}
