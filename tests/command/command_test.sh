#!/bin/bash
# Runs the hyphenate command on one behaviour: command_test.sh PATH-TO-HYPHENATE CASE.
# Exits 0 when the behaviour holds, 1 with a description of the difference otherwise.
set -u

hyphenate=$1
case_name=$2
here=$(cd "$(dirname "$0")" && pwd)
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
  # One line that says what is wrong, and where to look; not the whole help.
  for arguments in "--bogus" "-x" "-l" "-s" "--soft=x" "--s" "-s | --soft" "--min-length=x" \
    "--left-min -1" "-w --html" "--list-languages extra"; do
    expect_status 2 "$hyphenate" $arguments
    [ ! -s "$work/out" ] || fail "$arguments wrote to standard output"
    [ "$(wc -l <"$work/err")" -eq 2 ] || fail "$arguments: $(cat "$work/err")"
    head -n 1 "$work/err" | grep -q '^hyphenate: ' || fail "$arguments: $(head -n 1 "$work/err")"
    [ "$(sed -n 2p "$work/err")" = "Try 'hyphenate --help' for more information." ] ||
      fail "$arguments: no pointer to --help"
  done
  ;;
escaped_messages)
  # Names and arguments echoed in messages cannot drive the terminal: control characters and
  # bytes that are not UTF-8 come out as escapes, each message on one line.
  expect_status 1 "$hyphenate" "$work/"$'\e[31mred\nline'
  grep -qF "cannot open '$work/\\x1B[31mred\\nline'" "$work/err" || fail "$(cat -v "$work/err")"
  cat "$work/err" >"$work/messages"
  expect_status 1 "$hyphenate" "$work/"$'caf\xc3\xa9\xff'
  grep -qF "'$work/café\\xFF'" "$work/err" || fail "$(cat -v "$work/err")"
  cat "$work/err" >>"$work/messages"
  expect_status 2 "$hyphenate" -l $'\e]0;title\a'
  grep -qF "unknown language '\\x1B]0;title\\a'" "$work/err" || fail "$(cat -v "$work/err")"
  cat "$work/err" >>"$work/messages"
  expect_status 2 "$hyphenate" $'--\x9b31m'
  grep -qF "unrecognized option '--\\x9B31m'" "$work/err" || fail "$(cat -v "$work/err")"
  cat "$work/err" >>"$work/messages"
  [ "$(wc -l <"$work/messages")" -eq 5 ] || fail "a message takes more than one line"
  if LC_ALL=C grep -q $'[\x01-\x09\x0b-\x1f\x7f\x9b\xff]' "$work/messages"; then
    fail "a message holds a control character: $(cat -v "$work/messages")"
  fi
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
  # Each code with its name and the short tags that select it.
  grep -q '^de-ch-1901 *German_Swiss *de-LI-1901$' "$work/out" || fail "--list-languages lacks de-ch-1901"
  grep -q '^de-1996 *German_1996 *de de-DE de-CH de-LI$' "$work/out" || fail "--list-languages lacks de-1996"
  grep -q '^cy *Welsh$' "$work/out" || fail "--list-languages lacks cy"
  for help in --help -h; do
    expect_status 0 "$hyphenate" $help
    grep -q "Usage: hyphenate" "$work/out" || fail "$help printed no usage"
    [ ! -s "$work/err" ] || fail "$help wrote to standard error"
  done
  expect_status 0 "$hyphenate" --version
  grep -q "^hyphenate (hyphenkit) [0-9]" "$work/out" || fail "--version printed $(cat "$work/out")"
  ;;
html)
  # Only the text of a page is hyphenated, in the language of its element.
  cat >"$work/page.html" <<'PAGE'
<!DOCTYPE html>
<html lang="de"><head><title>Silbentrennung</title>
<style>.documentation { hyphens: manual }</style>
<script>if (a > b) { documentation("Silbentrennung"); }</script></head>
<body class="documentation">
<p title="Silbentrennung">Die Silbentrennung &NotNestedGreaterGreater; <a href="https://example.com/documentation">Dokumentation</a>
<!-- Silbentrennung -->
<pre>Silbentrennung</pre><code>Silbentrennung</code>
<p lang="fr">Les dictionnaires
<p class="x nohyphenate">Silbentrennung
<p>Silben&shy;trennung
</body></html>
PAGE
  sed -e 's/Die Silbentrennung/Die Sil~ben~tren~nung/' -e 's/>Dokumentation</>Do~ku~men~ta~ti~on</' \
    -e 's/Les dictionnaires/Les dic~tion~naires/' "$work/page.html" >"$work/expected"
  "$hyphenate" --soft -l en "$work/page.html" | sed 's/\xc2\xad/~/g' | cmp -s - "$work/expected" ||
    fail "--soft on page.html: $("$hyphenate" --soft "$work/page.html" | diff "$work/expected" -)"
  # The default separator in markup is the soft hyphen as a character reference; -s is anything.
  "$hyphenate" "$work/page.html" | sed 's/&#173;/~/g' | cmp -s - "$work/expected" || fail "&#173;"
  "$hyphenate" -s '~' "$work/page.html" | cmp -s - "$work/expected" || fail "-s in markup"
  # Chosen by the file's name, or by --html for any input; --text reads a page as running text.
  cp "$work/page.html" "$work/PAGE.HTM"
  "$hyphenate" -s '~' "$work/PAGE.HTM" | cmp -s - "$work/expected" || fail "*.HTM"
  "$hyphenate" -s '~' --html <"$work/page.html" | cmp -s - "$work/expected" || fail "--html"
  "$hyphenate" -s '~' -l de --text "$work/page.html" | grep -q 'Sil~ben~tren~nung</title>' ||
    fail "--text kept the markup"
  # A language without patterns leaves the text outside every lang alone.
  printf '<p>hyphenation <span lang="de">Silbentrennung</span></p>' >"$work/zh.html"
  expect_output '<p>hyphenation <span lang="de">Sil&#173;ben&#173;tren&#173;nung</span></p>' \
    "$hyphenate" -l zh "$work/zh.html"
  # Text and markup in one call, each with its own default separator.
  printf 'hyphenation\n' >"$work/a.txt"
  printf '<p>hyphenation</p>' >"$work/b.html"
  expect_output $'hy-phen-ation\n<p>hy&#173;phen&#173;ation</p>' "$hyphenate" "$work/a.txt" \
    "$work/b.html"
  # *.xhtml is XML: a CDATA section ends at "]]>", where HTML ends the bogus comment at ">".
  printf '<p><![CDATA[x > hyphenation]]></p>' >"$work/c.xhtml"
  cp "$work/c.xhtml" "$work/c.html"
  expect_output '<p><![CDATA[x > hyphenation]]></p>' "$hyphenate" "$work/c.xhtml"
  expect_output '<p><![CDATA[x > hy&#173;phen&#173;ation]]></p>' "$hyphenate" "$work/c.html"
  ;;
per_call_options)
  expect_output $'hyphenation hy-phen-ations\n' "$hyphenate" --min-length 12 <<<'hyphenation hyphenations'
  expect_output $'hyphen-ation\n' "$hyphenate" --left-min 3 <<<'hyphenation'
  expect_output $'hy-phenation\n' "$hyphenate" --right-min=6 <<<'hyphenation'
  # Minimums below 1 count as 1: no break ever falls at either end of a word.
  expect_output $'hy-phen-ation\n' "$hyphenate" --left-min 0 --right-min 0 <<<'hyphenation'
  # Words mode takes the same minimums and length.
  expect_output $'hyphenation\nhyphen-ations\n' "$hyphenate" -w --left-min 3 --min-length 12 \
    < <(printf 'hyphenation\nhyphenations\n')
  expect_output $'hy-phenation\n' "$hyphenate" -w --right-min 6 <<<'hyphenation'
  # Tokens that are not prose are copied unchanged, unless asked otherwise.
  text='see https://www.example.com/documentation, hyphenation_rules and --hyphenation'
  expect_output "$text"$'\n' "$hyphenate" <<<"$text"
  expect_output $'see https://www.ex-am-ple.com/doc-u-men-ta-tion, hy-phen-ation_rules and --hy-phen-ation\n' \
    "$hyphenate" --all-tokens <<<"$text"
  ;;
language_tags)
  # Tags of languages without patterns copy the text unchanged, in every mode.
  for tag in zh zh-Hans zh-TW ja; do
    expect_output $'中文 Firefox hyphenation\n' "$hyphenate" -l $tag <<<'中文 Firefox hyphenation'
    expect_output $'hyphenation\n' "$hyphenate" -w -l $tag <<<'hyphenation'
  done
  # Pinyin only when asked for in Latin script; Swiss German by the reformed rules unless 1901 is
  # asked for; locale names read as their tags.
  expect_output $'Fi-re-fo-x\n' "$hyphenate" -l zh-Latn <<<'Firefox'
  expect_output $'Fens-ter Kis-te\n' "$hyphenate" -l de-CH <<<'Fenster Kiste'
  expect_output $'Fen-ster Ki-ste\n' "$hyphenate" -l de-CH-1901 <<<'Fenster Kiste'
  expect_output $'Sil-ben-tren-nung\n' "$hyphenate" -l de_DE.UTF-8 <<<'Silbentrennung'
  expect_output $'pa-la-vra\n' "$hyphenate" -l pt_BR@euro <<<'palavra'
  for tag in klingon 'en us' ''; do
    expect_status 2 "$hyphenate" -l "$tag"
    grep -q "unknown language" "$work/err" || fail "-l '$tag': $(cat "$work/err")"
  done
  ;;
running_text)
  # Running text as documents hold it: each line shows what an earlier version got wrong.
  expect_output $'cit-tà per-ché mo-da-li-tà\n' "$hyphenate" -l it <<<'città perché modalità'
  expect_output $'bem-su-ce-dido\n' "$hyphenate" -l pt <<<'bem-sucedido'
  expect_output $'кто-ни-будь\n' "$hyphenate" -l ru <<<'кто-нибудь'
  expect_output $'\'ope-ra\'\n' "$hyphenate" -l it <<<"'opera'"
  # Decomposed text breaks as composed text does, and keeps its bytes.
  expect_output $'Gro\xcc\x88-\xc3\x9fen-a\xcc\x88n-de-rung\n' "$hyphenate" -l de \
    < <(printf 'Gro\xcc\x88\xc3\x9fena\xcc\x88nderung\n')
  # A second pass changes nothing.
  printf 'entsprechend Silbentrennung\n' | "$hyphenate" --soft -l de >"$work/once"
  "$hyphenate" --soft -l de "$work/once" | cmp -s - "$work/once" || fail "a second pass changed the text"
  grep -q $'ent\u00adspre\u00adchend' "$work/once" || fail "$(cat "$work/once")"
  text='https://www.example.com/documentation maintainers@lists.example.org /usr/share/documentation ~/documentation ./documentation configuration_variable camelCase --almost-all #hyphenation'
  expect_output "$text"$'\n' "$hyphenate" <<<"$text"
  expect_output $'中文 Firefox Windows\n' "$hyphenate" -l zh-Hans <<<'中文 Firefox Windows'
  ;;
long_separators)
  # Output is written as it is made: neither the separator's length nor the number of breaks
  # costs memory. Sanitizers reserve more address space than the limit allows.
  [ -z "${ASAN_OPTIONS:-}${TSAN_OPTIONS:-}" ] || exit 77
  sentences 400 >"$work/text"
  separator=$(head -c 100000 /dev/zero | tr '\0' '\001')
  "$hyphenate" -s '|' "$work/text" >"$work/short"
  (ulimit -v 150000 && "$hyphenate" -s "$separator" "$work/text") >"$work/out" ||
    fail "text mode with a 100 KB separator failed"
  tr -s '\001' '|' <"$work/out" | cmp -s - "$work/short" || fail "text mode: other breaks"
  [ "$(stat -c %s "$work/out")" -gt 150000000 ] || fail "the test made too little output"
  # Words mode, one line, a separator as long as an argument may be.
  tr '\n' ' ' <"$work/text" | head -c 16000 >"$work/line"
  separator=$(head -c 131000 /dev/zero | tr '\0' '\001')
  "$hyphenate" -w -s '|' "$work/line" >"$work/short"
  (ulimit -v 150000 && "$hyphenate" -w -s "$separator" "$work/line") >"$work/out" ||
    fail "words mode with a 131,000-byte separator failed"
  tr -s '\001' '|' <"$work/out" | cmp -s - "$work/short" || fail "words mode: other breaks"
  rm -f "$work/out"
  ;;
manual)
  # The manual page renders without a warning and describes every option of --help.
  manual=$here/../../tools/hyphenate/hyphenate.1
  groff -man -ww -z "$manual" 2>"$work/err" || fail "groff failed: $(cat "$work/err")"
  [ ! -s "$work/err" ] || fail "groff warns: $(cat "$work/err")"
  "$hyphenate" --help >"$work/help"
  for option in $(grep -o -- '--[a-z-]*[a-z]' "$work/help" | sort -u) -l -s -w -h; do
    grep -qF -- "${option//-/\\-}" "$manual" || fail "the manual page lacks $option"
  done
  ;;
installed_manual)
  # cmake --install puts the manual page where man looks for it.
  build=$3
  cmake --install "$build" --prefix "$work/prefix" >"$work/log" 2>&1 || fail "$(cat "$work/log")"
  cmp -s "$here/../../tools/hyphenate/hyphenate.1" "$work/prefix/share/man/man1/hyphenate.1" ||
    fail "share/man/man1/hyphenate.1 is not installed"
  [ -x "$work/prefix/bin/hyphenate" ] || fail "bin/hyphenate is not installed"
  ;;
*)
  fail "no case $case_name"
  ;;
esac
exit 0
