#!/usr/bin/env bash
# Instructions per query of the rule engine on the benchmark programs, counted by callgrind: on a
# shared machine the count is repeatable where times are not (valgrind must be installed).
# Usage: scripts/pie_instructions.sh BUILD_DIR [case ...]   cases: nrev tak_is tak_sub queens deriv (default: all)
# BUILD_DIR is a g++ RelWithDebInfo build with -DDRVOPUI_BENCH=ON (targets bench_pie_nrev, bench_pie_classics).
set -euo pipefail
build=$1; shift
cases=${*:-nrev tak_is tak_sub queens deriv}
for c in $cases; do
  case $c in
    nrev) prog=bench_pie_nrev; filter='^NaiveReverse30$' ;;
    tak_is) prog=bench_pie_classics; filter='^Engine/kTakIs$' ;;
    tak_sub) prog=bench_pie_classics; filter='^Engine/kTakSub$' ;;
    queens) prog=bench_pie_classics; filter='^Engine/kQueens$' ;;
    deriv) prog=bench_pie_classics; filter='^Engine/kDeriv$' ;;
    *) echo "unknown case $c"; exit 2 ;;
  esac
  if [[ ! -x "$build/bench/$prog" ]]; then
    echo "$build/bench/$prog is not built (cmake --build $build --target $prog)" >&2
    exit 2
  fi
  out=$(mktemp /tmp/pie_ir.XXXXXX)
  valgrind --tool=callgrind --callgrind-out-file="$out" "$build/bench/$prog" --benchmark_filter="$filter" \
      --benchmark_min_time=0.001 >/dev/null 2>&1
  # Inclusive cost and call count of pl_execute_main from the call records of its callers.
  perl -e '
    my ($calls,$ir,$want)=(0,0,0); my %names;
    open F, $ARGV[0] or die;
    while(<F>){
      if(/^fn=\((\d+)\) (.*)/){ $names{$1}=$2; $want=0; next }
      if(/^cfn=\((\d+)\)(?: (.*))?/){ $names{$1}=$2 if defined $2; $want = (($names{$1}//"") =~ /^pl_execute_main\(/) ? 1 : 0; next }
      if($want && /^calls=(\d+)/){ $calls+=$1; my $l=<F>; my @f=split " ",$l; $ir+=$f[-1]; $want=0; next }
    }
    printf "%-8s %12.0f instructions per query (%d queries)\n", $ARGV[1], $calls ? $ir/$calls : 0, $calls;
  ' "$out" "$c"
  rm -f "$out"
done
