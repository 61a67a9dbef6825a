#!/bin/bash
# Runs the hyphenate command on one behaviour: command_test.sh PATH-TO-HYPHENATE CASE.
# Exits 0 when the behaviour holds, 1 with a description of the difference otherwise.
set -u

hyphenate=$1
case_name=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# expect_output EXPECTED COMMAND...: the command's standard output is exactly EXPECTED (bytes).
expect_output() {
  local expected=$1
  shift
  "$@" >"$work/out" 2>"$work/err" || fail "$* exited with $? ($(cat "$work/err"))"
  printf '%s' "$expected" >"$work/expected"
  cmp -s "$work/out" "$work/expected" ||
    fail "$*: expected $(od -An -c "$work/expected" | head -5), got $(od -An -c "$work/out" | head -5)"
}

# expect_status STATUS COMMAND...: the command exits with STATUS; its streams go to out and err.
expect_status() {
  local status=$1
  shift
  "$@" >"$work/out" 2>"$work/err"
  local got=$?
  [ "$got" -eq "$status" ] || fail "$* exited with $got, expected $status ($(cat "$work/err"))"
}

# A text of $1 lines of English sentences, with "hyphenation" at varying offsets.
sentences() {
  local count=$1
  awk -v n="$count" 'BEGIN {
    split("the hyphenation of computer programs is a associate project with dictionaries", w, " ");
    for (i = 0; i < n; i++) {
      line = "";
      for (j = 0; j <= i % 13; j++) line = line w[(i * 7 + j) % 10 + 1] " ";
      print line "Hyphenation, e.g. 42 times.";
    }
  }'
}

case $case_name in
text_mode)
  expect_output $'Hy-phen-ation, e.g. 42 hy-phen-ations.\n(HY-PHEN-ATION)!\n' \
    "$hyphenate" <<<$'Hyphenation, e.g. 42 hyphenations.\n(HYPHENATION)!'
  expect_output 'hy|phen|ation com|puter' "$hyphenate" -s '|' < <(printf 'hyphenation computer')
  expect_output 'hy||phen||ation' "$hyphenate" --separator='||' < <(printf 'hyphenation')
  ;;
soft_hyphen)
  expect_output $'hy\u00adphen\u00adation' "$hyphenate" --soft < <(printf 'hyphenation')
  expect_status 2 "$hyphenate" --soft -s '|'
  [ ! -s "$work/out" ] || fail "-s with --soft wrote to standard output"
  ;;
languages)
  expect_output $'Die Sil-ben-tren-nung, bit-te!\n' "$hyphenate" -l de <<<'Die Silbentrennung, bitte!'
  expect_output $'Пе-ре-нос слов.\n' "$hyphenate" -l ru <<<'Перенос слов.'
  expect_output 'hy-phen-ation' "$hyphenate" -l en-US < <(printf 'hyphenation')
  # British English breaks by other patterns than American English.
  expect_output 'hy-phen-a-tion' "$hyphenate" -l English_GB < <(printf 'hyphenation')
  expect_output 'hy-phen-a-tion' "$hyphenate" --language=en_gb < <(printf 'hyphenation')
  ;;
words_mode)
  # Each line is one word taken whole; CRLF and LF endings are kept; no newline is added.
  expect_output $'hy-phen-ation\r\nas-so-ciate\nproject\n\nhy-phen-ation' \
    "$hyphenate" -w < <(printf 'hyphenation\r\nassociate\nproject\n\nhyphenation')
  # A line with spaces is still one word: only its patterns decide.
  expect_output $'hy-phen-ation hy-phen-ation\n' "$hyphenate" --words <<<'hyphenation hyphenation'
  expect_output $'Sil=ben=tren=nung\r\n' "$hyphenate" -w -l de -s = < <(printf 'Silbentrennung\r\n')
  ;;
invalid_utf8)
  # Bytes that belong to no well-formed sequence pass through; removing the separators gives back
  # the input byte for byte, in both modes.
  printf 'hyphen\xffation \xc3 caf\xc3\xa9 \xe2\x82 hyphenation\x80\n\xf0\x9f\x98\x80 \xed\xa0\x80hyphenation\r\n' >"$work/in"
  for mode in "" -w; do
    "$hyphenate" $mode -s '|' "$work/in" >"$work/out" || fail "exit status $?"
    tr -d '|' <"$work/out" >"$work/stripped"
    cmp -s "$work/in" "$work/stripped" || fail "mode '$mode' changed the bytes"
  done
  "$hyphenate" -s '|' "$work/in" >"$work/out"
  grep -q 'hy|phen|ation' "$work/out" || fail "a word next to invalid bytes was not hyphenated"
  ;;
chunk_boundary)
  # A word that straddles the 64 KiB read boundary is cut as if it had been read whole.
  head -c 65530 /dev/zero | tr '\0' ' ' >"$work/in"
  printf 'hyphenation\n' >>"$work/in"
  head -c 65530 /dev/zero | tr '\0' ' ' >"$work/expected"
  printf 'hy-phen-ation\n' >>"$work/expected"
  "$hyphenate" "$work/in" >"$work/out" && cmp -s "$work/out" "$work/expected" ||
    fail "a word across the read boundary"
  # A text of many reads comes out as its lines do when read one period at a time: the lines
  # repeat every 130, and reads of 64 KiB end at ever other places within them.
  sentences 20800 >"$work/big"
  [ "$(stat -c %s "$work/big")" -gt 1000000 ] || fail "the test text is too small"
  "$hyphenate" "$work/big" >"$work/whole" || fail "exit status $?"
  sentences 130 | "$hyphenate" >"$work/period"
  for i in $(seq 160); do cat "$work/period"; done | cmp -s - "$work/whole" ||
    fail "the big text is not cut as its lines are"
  grep -q 'com-put-er' "$work/period" || grep -q 'com-puter' "$work/period" ||
    fail "the period has no hyphenated words"
  # The same text as words: every line's fragments, as hyphenate gives them one line at a time.
  head -n 50 "$work/big" >"$work/lines"
  "$hyphenate" -w "$work/lines" >"$work/words" || fail "exit status $?"
  while IFS= read -r line; do
    printf '%s' "$line" | "$hyphenate" -w
    printf '\n'
  done <"$work/lines" | cmp -s - "$work/words" || fail "words mode differs line by line"
  ;;
long_runs)
  # Runs far longer than any read buffer, with no space (text mode) or no line feed (words mode),
  # stream through and keep every byte.
  head -c 3000000 /dev/zero | tr '\0' 'a' >"$work/in"
  "$hyphenate" -s '|' "$work/in" | tr -d '|' | cmp -s - "$work/in" || fail "text mode long run"
  "$hyphenate" -w -s '|' "$work/in" | cmp -s - "$work/in" || fail "words mode long line"
  # After a long line, words mode goes on with the next lines as usual.
  printf '\nhyphenation\nassociate' >>"$work/in"
  head -c -22 "$work/in" >"$work/expected"
  printf '\nhy|phen|ation\nas|so|ciate' >>"$work/expected"
  "$hyphenate" -w -s '|' "$work/in" | cmp -s - "$work/expected" || fail "words mode after a long line"
  ;;
stdin_and_files)
  printf 'hyphenation\n' >"$work/a"
  printf 'associate computer\n' >"$work/b"
  expected=$'hy-phen-ation\nas-so-ciate com-puter\n'
  expect_output "$expected" "$hyphenate" "$work/a" "$work/b"
  expect_output "$expected" "$hyphenate" "$work/a" - <"$work/b"
  expect_output $'as-so-ciate com-puter\n' "$hyphenate" <"$work/b"
  expect_output $'as-so-ciate com-puter\n' "$hyphenate" -- - <"$work/b"
  ;;
unknown_language)
  expect_status 2 "$hyphenate" -l klingon
  [ ! -s "$work/out" ] || fail "wrote to standard output"
  [ "$(wc -l <"$work/err")" -eq 1 ] || fail "the error takes more than one line"
  grep -q "klingon" "$work/err" || fail "the error does not name the language"
  grep -q -- "--list-languages" "$work/err" || fail "the error does not point to --list-languages"
  ;;
bad_option)
  for arguments in "--bogus" "-x" "-l" "-s" "--soft=x"; do
    expect_status 2 "$hyphenate" $arguments
    [ ! -s "$work/out" ] || fail "$arguments wrote to standard output"
    grep -q "Usage: hyphenate" "$work/err" || fail "$arguments printed no usage"
  done
  ;;
missing_file)
  printf 'hyphenation\n' >"$work/a"
  printf 'associate\n' >"$work/b"
  expect_status 1 "$hyphenate" "$work/a" "$work/missing" "$work/b"
  printf 'hy-phen-ation\nas-so-ciate\n' | cmp -s - "$work/out" || fail "the readable files were not all processed"
  grep -q "$work/missing" "$work/err" || fail "the error does not name the file"
  # A directory opens but cannot be read.
  expect_status 1 "$hyphenate" "$work/a" "$work"
  printf 'hy-phen-ation\n' | cmp -s - "$work/out" || fail "the readable file was not processed"
  ;;
output_error)
  # Output that cannot be written is an error, not a success.
  printf 'hyphenation\n' >"$work/a"
  for arguments in "$work/a" "--list-languages"; do
    "$hyphenate" $arguments >/dev/full 2>"$work/err"
    [ $? -eq 1 ] || fail "$arguments into a full device did not exit 1"
    grep -q "cannot write" "$work/err" || fail "$arguments into a full device: no error message"
  done
  ;;
listings)
  expect_status 0 "$hyphenate" --list-languages
  [ "$(wc -l <"$work/out")" -eq 73 ] || fail "--list-languages lists $(wc -l <"$work/out") languages"
  grep -q '^de-ch-1901 *German_Swiss$' "$work/out" || fail "--list-languages lacks de-ch-1901"
  expect_status 0 "$hyphenate" --help
  grep -q "Usage: hyphenate" "$work/out" || fail "--help printed no usage"
  expect_status 0 "$hyphenate" --version
  grep -q "^hyphenate (hyphenkit) [0-9]" "$work/out" || fail "--version printed $(cat "$work/out")"
  ;;
*)
  fail "no case $case_name"
  ;;
esac
exit 0
