#!/bin/sh
# Puts the downloaded update in the place of the program once the program has ended.
pid=29758
waited=0
while kill -0 "$pid" 2>/dev/null; do
    waited=$((waited + 1))
    if [ "$waited" -eq 50 ]; then kill -9 "$pid" 2>/dev/null; fi
    if [ "$waited" -ge 100 ]; then break; fi
    sleep 0.1
done
cd '' || exit 1
if [ -f 'TMP' ]; then
    chmod +x 'TMP'
    mv -f 'TMP' ''
fi
'./' </dev/null >/dev/null 2>&1 &
rm -f "$0"
