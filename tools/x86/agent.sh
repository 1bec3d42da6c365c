#!/bin/bash
# Runs in the guest after its initramfs: carries out the jobs guest-run leaves in the spool
# folder (NAME.job: a bash script; its output goes to NAME.out and NAME.err, its exit code to
# NAME.rc) side by side, until a job named "poweroff" arrives.
export PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8
SPOOL=$1
mkdir -p "$SPOOL"
echo "agent: ready" >"$SPOOL/ready"
while :; do
    for job in "$SPOOL"/*.job; do
        [ -e "$job" ] || continue
        n=${job%.job}
        mv "$job" "$n.run"
        if [ "${n##*/}" = poweroff ]; then
            sync
            echo o >/proc/sysrq-trigger
            sleep 30
        fi
        (bash "$n.run" >"$n.out" 2>"$n.err" </dev/null; echo $? >"$n.rc.new" && mv "$n.rc.new" "$n.rc") &
    done
    sleep 0.1
done
