# Named checks for the shell tests, sourced by them: each check prints ok or FAIL with what
# was seen, and `summary` prints the counts and fails if any check failed.
passed=0
failed=0
check() {  # check NAME CONDITION-RESULT DETAIL
  if [ "$2" = 0 ]; then
    passed=$((passed + 1)); echo "ok   $1"
  else
    failed=$((failed + 1)); echo "FAIL $1: $3"
  fi
}
summary() {
  echo "$passed passed, $failed failed"
  [ "$failed" = 0 ]
}
