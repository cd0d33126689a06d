# Shared by the scripts that run an end-to-end driver: sourced, not run.
# Gives: report_driver_run SCRIPT DRIVER STATUS OUTPUT ELAPSED.

# Counts the PASS and FAIL lines the driver wrote to OUTPUT; a driver stopped by the five-minute
# timeout (status 124), one that ended before its closing line and one that ended badly without
# a failed scenario each count as one failure more, so that no such run passes. Prints the time
# taken and the closing line "N passed, N failed"; succeeds when something passed and nothing
# failed.
report_driver_run() {
  local script=$1 driver=$2 status=$3 output=$4 elapsed=$5 passed failed
  passed=$(grep -c '^PASS ' "$output")
  failed=$(grep -c '^FAIL ' "$output")
  if [[ $status -eq 124 ]]; then
    echo "FAIL $driver: stopped after 300 s, over the five minutes the run may take"
    failed=$((failed + 1))
  elif ! grep -Eq '^[0-9]+ passed, [0-9]+ failed$' "$output"; then
    echo "FAIL $driver: ended with status $status before its closing line"
    failed=$((failed + 1))
  elif [[ $status -ne 0 && $failed -eq 0 ]]; then
    echo "FAIL $driver: ended with status $status"
    failed=$((failed + 1))
  fi
  echo "$script: took ${elapsed} s"
  echo "$passed passed, $failed failed"
  [[ $failed -eq 0 && $passed -gt 0 ]]
}
