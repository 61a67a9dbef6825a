-- Hyphenates a list of words with LuaTeX's own hyphenation engine.
--
-- Run by scripts/tex-hyphenate inside an iniTeX LuaTeX job (the node library that hyphenation
-- needs exists only there, not under --luaonly). Its arguments come from the environment:
--   TEXHYPH_CODE   language file code, e.g. "en-us"
--   TEXHYPH_LEFT   left minimum (fewest characters before the first break)
--   TEXHYPH_RIGHT  right minimum (fewest characters after the last break)
--   TEXHYPH_DIR    directory holding hyph-<code>.pat.txt and, if the language has one,
--                  hyph-<code>.hyp.txt
--   TEXHYPH_WORDS  file of words, one per line, UTF-8
--   TEXHYPH_OUT    file to write: one line per input line, the word with "-" at every break
--
-- What is set so that only the patterns, the exceptions and the two minimums decide:
--   * Every character that occurs in the pattern file (digits and the boundary "." aside), in
--     the exception file (the break mark "-" aside) and in the words gets an hjcode equal to
--     itself in the new language. LuaTeX reads a word's letters through the language's hjcodes
--     and ends a word at the first character whose hjcode is 0; once a language has hjcodes of
--     its own, no lccode is consulted. So apostrophes, combining marks, ZWJ/ZWNJ and the like
--     count as letters of the word, nothing is case-mapped, and the word and the exception keys
--     are looked up exactly as written. hjcodes are set before the exceptions are loaded, since
--     LuaTeX maps exception words through them when it stores them.
--   * Each word is its own node list of glyph nodes: subtype 1 (a plain character; a glyph of
--     subtype 0 is skipped by the hyphenator), the new language, left/right set to the two
--     minimums and uchyph 1
--     (no special case for a capital first letter). The list holds nothing else, so the word is
--     taken whole: no glue, no boundary, no neighbouring word.
--   * The glyphs use a font defined here with hyphenchar "-" and a glyph for every character;
--     LuaTeX does not hyphenate in the null font or in a font whose hyphenchar is negative.
--   * After lang.hyphenate, every discretionary node in the list is one break, except that the
--     minimums are applied once more: LuaTeX (1.15) keeps them for pattern breaks (and leaves
--     words shorter than left + right whole) but sets every break of an exception, even one
--     closer to the edge; TeX82 clears both kinds alike, and the words are meant to be broken
--     as TeX does, so breaks outside the minimums are dropped here.
-- LuaTeX's hyphenation interface gives no other switches that matter for a bare word.

local function fail(message)
  io.stderr:write("tex-hyphenate: ", message, "\n")
  os.exit(2)
end

local function env(name)
  local value = os.getenv(name)
  if value == nil or value == "" then
    fail(name .. " is not set")
  end
  return value
end

local function read_file(path, optional)
  local handle = io.open(path, "rb")
  if handle == nil then
    if optional then
      return ""
    end
    fail("cannot read " .. path)
  end
  local text = handle:read("a")
  handle:close()
  if not utf8.len(text) then
    fail(path .. " is not valid UTF-8")
  end
  return text
end

local function main()
  local code = env("TEXHYPH_CODE")
  local left = math.tointeger(tonumber(env("TEXHYPH_LEFT")))
  local right = math.tointeger(tonumber(env("TEXHYPH_RIGHT")))
  if left == nil or right == nil or left < 1 or right < 1 then
    fail("the minimums must be positive integers")
  end
  local dir = env("TEXHYPH_DIR")
  local patterns = read_file(dir .. "/hyph-" .. code .. ".pat.txt", false)
  local exceptions = read_file(dir .. "/hyph-" .. code .. ".hyp.txt", true)
  local words_text = read_file(env("TEXHYPH_WORDS"), false)

  local words = {}
  for line in (words_text .. "\n"):gmatch("(.-)\r?\n") do
    words[#words + 1] = line
  end
  if words_text == "" or words_text:sub(-1) == "\n" then
    words[#words] = nil -- no line after a final line feed
  end

  local language = lang.new()
  local id = lang.id(language)

  -- Letters: every character of the patterns, exceptions and words.
  local in_patterns = {}
  for _, c in utf8.codes(patterns) do
    if c > 32 and c ~= 0x2E and not (c >= 0x30 and c <= 0x39) then
      in_patterns[c] = true
    end
  end
  local letters = {}
  for c in pairs(in_patterns) do
    letters[c] = true
  end
  for _, c in utf8.codes(exceptions) do
    if c > 32 and c ~= 0x2D then
      letters[c] = true
    end
  end
  for n, word in ipairs(words) do
    for _, c in utf8.codes(word) do
      if c <= 32 or c == 0x2D or c == 0x2E or (c >= 0x30 and c <= 0x39) then
        fail(string.format("line %d: %q holds U+%04X, which cannot be a letter here", n, word, c))
      end
      if not in_patterns[c] and not letters[c] then
        io.stderr:write(string.format(
          "tex-hyphenate: warning: U+%04X (first in line %d, %q) does not occur in the patterns\n",
          c, n, word))
      end
      letters[c] = true
    end
  end

  local glyphs = {}
  for c in pairs(letters) do
    lang.sethjcode(language, c, c)
    glyphs[c] = { width = 65536, height = 0, depth = 0 }
  end
  glyphs[0x2D] = { width = 65536, height = 0, depth = 0 }

  -- Exceptions after the hjcodes (their keys go through them), then the patterns.
  if exceptions:find("%S") then
    lang.hyphenation(language, exceptions)
  end
  lang.patterns(language, patterns)

  local font_id = font.define({
    name = "tex-hyphenate",
    size = 655360,
    hyphenchar = 0x2D,
    characters = glyphs,
  })

  local glyph_id, disc_id = node.id("glyph"), node.id("disc")
  local out = io.open(env("TEXHYPH_OUT"), "wb") or fail("cannot write the output file")
  for _, word in ipairs(words) do
    local head, last
    for _, c in utf8.codes(word) do
      local g = node.new(glyph_id, 1)
      g.char, g.font, g.lang = c, font_id, id
      g.left, g.right, g.uchyph = left, right, 1
      if head == nil then
        head = g
      else
        last.next, g.prev = g, last
      end
      last = g
    end
    local pieces = {}
    if head ~= nil then
      lang.hyphenate(head)
      local length, before = utf8.len(word), 0
      for n in node.traverse(head) do
        if n.id == glyph_id then
          pieces[#pieces + 1] = utf8.char(n.char)
          before = before + 1
        elseif n.id == disc_id then
          -- LuaTeX keeps the minimums for pattern breaks but not for exception breaks; TeX82
          -- clears both alike (hyf[j] for j < l_hyf and j > hn - r_hyf), so do that here.
          if before >= left and length - before >= right then
            pieces[#pieces + 1] = "-"
          end
        else
          fail("unexpected node " .. node.type(n.id) .. " after hyphenating " .. word)
        end
      end
      node.flush_list(head)
    end
    local result = table.concat(pieces)
    if result:gsub("-", "") ~= word then
      fail("hyphenating " .. word .. " gave " .. result)
    end
    out:write(result, "\n")
  end
  out:close()
end

local ok, message = pcall(main)
if not ok then
  fail(tostring(message))
end
os.exit(0)
