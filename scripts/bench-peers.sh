#!/bin/bash
# A year of 12 month pages with the US holidays and seven rules of one's own, to PDF: the
# release build of velmora-export against remind + rem2pdf and pcal + ps2pdf making the same
# 12 pages, run in turns so that all see the same machine load. Prints the median wall time
# and CPU time (user + system, pipelines summed) of each and the ratios; on a busy machine
# the CPU times are the fairer comparison. The peers are for measuring only:
# `scripts/setup.sh bench` installs them (Debian: remind, remind-tools, pcal, ghostscript).
set -eu
runs=${RUNS:-9}
root=$(cd "$(dirname "$0")/.." && pwd)
exe="$root/build/release/src/velmora-export"
[ -x "$exe" ] || { echo "build the release preset first: $exe is missing" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

# Our recurring dates store: 120 characters of event text, 10 of formula, CR LF.
entry() { printf '%-120s%-10s\r\n' "$1" "$2"; }
{
  entry "April Fools's Day" "@0401";         entry "Armed Forces Day" '$2 6 5'
  entry "Christmas Day" "@1225";             entry "Daylight Savings time begins" '$0 0 4'
  entry "Daylight Savings Time ends" '$5 0 10'; entry "Easter" "#EASTER"
  entry "Father's Day" '$2 0 6';             entry "Flag Day" "@0614"
  entry "Good Friday" "#GOODFRIDAY";         entry "Groundhog Day" "@0202"
  entry "Halloween" "@1031";                 entry "Independence Day" "@0704"
  entry "Labor Day" '$0 1 9';                entry "Lincoln's Birthday" "@0212"
  entry "Martin Luther King Day" '$2 1 1';   entry "Memorial Day" '$5 1 5'
  entry "Mother's Day" '$1 0 5';             entry "New Year's Day" "@0101"
  entry "Palm Sunday" "#PALMSUNDAY";         entry "President's Day" '$2 1 2'
  entry "St. Patrick's Day" "@0317";         entry "Thanksgiving Day" '$3 4 11'
  entry "United Nations Day" "@1024";        entry "Valentine's Day" "@0214"
  entry "Veterans Day" "@1111";              entry "Washington's Birthday" "@0222"
  entry "Gym" "%2";                          entry "Team meeting" "%4"
  entry "Piano lesson" "%37";                entry "Bins out" "%6"
  entry "Rent" "@0 1";                       entry "Book club" '$2 4 0'
  entry "Payday" '$5 7 0'
} > "$work/QXRECUR.DAX"

cat > "$work/year.rem" <<'EOF'
REM 1 Apr MSG April Fools's Day
REM Sat 15 May MSG Armed Forces Day
REM 25 Dec MSG Christmas Day
REM Sun 1 Apr MSG Daylight Savings time begins
REM Sun 1 Nov --7 MSG Daylight Savings Time ends
REM [easterdate($Uy)] MSG Easter
REM Sun 15 Jun MSG Father's Day
REM 14 Jun MSG Flag Day
REM [easterdate($Uy)-2] MSG Good Friday
REM 2 Feb MSG Groundhog Day
REM 31 Oct MSG Halloween
REM 4 Jul MSG Independence Day
REM Mon 1 Sep MSG Labor Day
REM 12 Feb MSG Lincoln's Birthday
REM Mon 15 Jan MSG Martin Luther King Day
REM Mon 1 Jun --7 MSG Memorial Day
REM Sun 8 May MSG Mother's Day
REM 1 Jan MSG New Year's Day
REM [easterdate($Uy)-7] MSG Palm Sunday
REM Mon 15 Feb MSG President's Day
REM 17 Mar MSG St. Patrick's Day
REM Thu 22 Nov MSG Thanksgiving Day
REM 24 Oct MSG United Nations Day
REM 14 Feb MSG Valentine's Day
REM 11 Nov MSG Veterans Day
REM 22 Feb MSG Washington's Birthday
REM Mon MSG Gym
REM Wed MSG Team meeting
REM Tue Fri MSG Piano lesson
REM Fri MSG Bins out
REM 1 MSG Rent
REM Thu 15 MSG Book club
REM 1 --1 MSG Payday
EOF

cat > "$work/year.pcal" <<'EOF'
Apr 1 April Fools's Day
3rd Sat in May Armed Forces Day
Dec 25 Christmas Day
1st Sun in Apr Daylight Savings time begins
last Sun in Oct Daylight Savings Time ends
Easter Easter
3rd Sun in Jun Father's Day
Jun 14 Flag Day
Good_Friday Good Friday
Feb 2 Groundhog Day
Oct 31 Halloween
Jul 4 Independence Day
1st Mon in Sep Labor Day
Feb 12 Lincoln's Birthday
3rd Mon in Jan Martin Luther King Day
last Mon in May Memorial Day
2nd Sun in May Mother's Day
Jan 1 New Year's Day
Sun before Easter Palm Sunday
3rd Mon in Feb President's Day
Mar 17 St. Patrick's Day
4th Thu in Nov Thanksgiving Day
Oct 24 United Nations Day
Feb 14 Valentine's Day
Nov 11 Veterans Day
Feb 22 Washington's Birthday
all Mon in all Gym
all Wed in all Team meeting
all Tue in all Piano lesson
all Fri in all Piano lesson
all Fri in all Bins out
first day in all Rent
3rd Thu in all Book club
last day in all Payday
EOF

ours() { "$exe" --months 12 --month 1 --year 2027 --recurring "$work/QXRECUR.DAX" "$work/ours.pdf"; }
remind_peer() { remind -pp12 "$work/year.rem" 1 Jan 2027 | rem2pdf > "$work/remind.pdf"; }
pcal_peer() { pcal -f "$work/year.pcal" 1 2027 12 | ps2pdf - "$work/pcal.pdf"; }

have_remind=no; command -v remind >/dev/null && command -v rem2pdf >/dev/null && have_remind=yes
have_pcal=no; command -v pcal >/dev/null && command -v ps2pdf >/dev/null && have_pcal=yes

# One run of a shell function: "wall_ms cpu_ms".
timed() {
  local TIMEFORMAT='%R %U %S' t
  t=$( { time "$1" >/dev/null 2>&1 || { echo "$1 failed" >&2; exit 1; }; } 2>&1 ) || exit 1
  echo "$t" | awk '{ printf "%d %d\n", $1 * 1000, ($2 + $3) * 1000 }'
}
median() { sort -n | awk '{ v[NR] = $1 } END { m = int((NR + 1) / 2); print (NR % 2) ? v[m] : (v[m] + v[m + 1]) / 2 }'; }

: > "$work/ours.ms"; : > "$work/remind.ms"; : > "$work/pcal.ms"
ours >/dev/null 2>&1 # warm the caches once
i=0
while [ "$i" -lt "$runs" ]; do
  timed ours >> "$work/ours.ms"
  if [ "$have_remind" = yes ]; then timed remind_peer >> "$work/remind.ms"; fi
  if [ "$have_pcal" = yes ]; then timed pcal_peer >> "$work/pcal.ms"; fi
  i=$((i + 1))
done

wall() { cut -d' ' -f1 < "$work/$1.ms" | median; }
cpu() { cut -d' ' -f2 < "$work/$1.ms" | median; }
ours_wall=$(wall ours); ours_cpu=$(cpu ours)
echo "velmora-export, 12 pages with recurring dates to PDF: median ${ours_wall} ms wall, ${ours_cpu} ms CPU over $runs runs"
report() {
  if [ "$2" = yes ]; then
    w=$(wall "$3"); c=$(cpu "$3")
    echo "$1: median ${w} ms wall, ${c} ms CPU; velmora-export / $1 =" \
      "$(awk -v a="$ours_wall" -v b="$w" 'BEGIN { printf "%.2f", a / b }') wall," \
      "$(awk -v a="$ours_cpu" -v b="$c" 'BEGIN { printf "%.2f", a / b }') CPU"
  else
    echo "$1: peer not installed"
  fi
}
report "remind + rem2pdf" "$have_remind" remind
report "pcal + ps2pdf" "$have_pcal" pcal
