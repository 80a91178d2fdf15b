# Sourced: start_xvfb starts a private X server on a free display, exports
# DISPLAY and stops the server when the calling shell exits.
start_xvfb() {
    local fifo display
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    LKP_XVFB_PID=$!
    read -r display <"$fifo"
    rm -f "$fifo"
    export DISPLAY=":$display"
    trap 'kill $LKP_XVFB_PID 2>/dev/null || true' EXIT
}
