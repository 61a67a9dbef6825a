// hyphenateHtml end to end: which bytes are character data, which language they are in, and
// where elements end. "documentation" tells the languages apart: English gives
// doc~u~men~ta~tion, French do~cu~men~ta~tion.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "text/hyphenation.hpp"

namespace hy = text::hyphenation;

namespace {

constexpr std::string_view kEnglish = "doc~u~men~ta~tion";
constexpr std::string_view kFrench = "do~cu~men~ta~tion";

std::string hyphenated(std::string_view markup, hy::MarkupSyntax syntax = hy::MarkupSyntax::Html,
                       std::optional<hy::Language> outside = hy::Language::English_US) {
  hy::MarkupOptions options;
  options.text.separator = "~";
  options.syntax = syntax;
  return hy::hyphenateHtml(outside, markup, options);
}

// Each case: markup with "@" standing for "documentation" and, in the expectation, "+" for its
// English and "*" for its French hyphenation.
struct Case {
  std::string_view markup;
  std::string_view expected;
};

std::string expand(std::string_view pattern, bool expected) {
  std::string out;
  for (const char c : pattern) {
    if (c == '@') {
      out += "documentation";
    } else if (expected && c == '+') {
      out += kEnglish;
    } else if (expected && c == '*') {
      out += kFrench;
    } else {
      out += c;
    }
  }
  return out;
}

void expectCases(std::initializer_list<Case> cases,
                 hy::MarkupSyntax syntax = hy::MarkupSyntax::Html) {
  for (const Case& c : cases) {
    const std::string markup = expand(c.markup, false);
    EXPECT_EQ(hyphenated(markup, syntax), expand(c.expected, true)) << markup;
  }
}

}  // namespace

TEST(HyphenateHtml, OnlyCharacterDataIsHyphenated) {
  expectCases({
      {"<p>@</p>", "<p>+</p>"},
      {"<p class=\"@\" title='@ > @' data-x=@>@</p>",
       "<p class=\"@\" title='@ > @' data-x=@>+</p>"},
      {"<!DOCTYPE @>@", "<!DOCTYPE @>+"},
      {"<!-- @ --> @ <!-- <p>@</p> -->", "<!-- @ --> + <!-- <p>@</p> -->"},
      {"<!--> @", "<!--> +"},              // an abrupt comment
      {"<!---> @", "<!---> +"},            // and another
      {"<!-- @ --!> @", "<!-- @ --!> +"},  // "--!>" ends a comment
      {"<!-- @ -- @ --> @", "<!-- @ -- @ --> +"},
      {"<? @ > @ ?> @", "<? @ > + ?> +"},  // a bogus comment ends at the first ">"
      {"<!@> @", "<!@> +"},
      {"<![CDATA[ @ ]]> @", "<![CDATA[ @ ]]> +"},  // a bogus comment in HTML content
      {"a < @ <3 @", "a < + <3 +"},                // "<" that opens no tag is text
      {"</> @ </ @>@", "</> + </ @>+"},
      {"@<b>@</b>@", "+<b>+</b>+"},  // a tag ends a word
      {"<p @=\"x\"@>@", "<p @=\"x\"@>+"},
      {"<img alt=\"@\"/>@", "<img alt=\"@\"/>+"},
  });
}

TEST(HyphenateHtml, RawTextEndsOnlyAtItsOwnEndTag) {
  expectCases({
      {"<script>@</scrip @</scripts> @</script>@", "<script>@</scrip @</scripts> @</script>+"},
      {"<script>if (a<b) document.write('<p>@</p>')</script>@",
       "<script>if (a<b) document.write('<p>@</p>')</script>+"},
      // "<!--" escapes script data, and "<script" inside the escape hides the next end tag.
      {"<script><!-- <script> @ </script> @ --></script>@",
       "<script><!-- <script> @ </script> @ --></script>+"},
      {"<script><!-- @ </script>@", "<script><!-- @ </script>+"},
      {"<SCRIPT>@</Script foo='>'>@", "<SCRIPT>@</Script foo='>'>+"},
      {"<style>p > a { content: \"</p>@\" }</style >@",
       "<style>p > a { content: \"</p>@\" }</style >+"},
      {"<textarea><b>@</b></textarea>@", "<textarea><b>@</b></textarea>+"},
      {"<title>@ &amp; @</title>@", "<title>@ &amp; @</title>+"},
      {"<xmp>@</xmp>@", "<xmp>@</xmp>+"},
      {"<iframe>@</iframe>@", "<iframe>@</iframe>+"},
      {"<noembed>@</noembed><noframes>@</noframes>@",
       "<noembed>@</noembed><noframes>@</noframes>+"},
      {"<noscript><p>@</p></noscript>@", "<noscript><p>@</p></noscript>+"},
      {"@<plaintext>@</plaintext>@", "+<plaintext>@</plaintext>@"},
  });
}

TEST(HyphenateHtml, CodeAndNohyphenateAreLeftAlone) {
  expectCases({
      {"<pre>@</pre>@", "<pre>@</pre>+"},
      {"<code>@</code> <kbd>@</kbd> <samp>@</samp> <var>@</var> @",
       "<code>@</code> <kbd>@</kbd> <samp>@</samp> <var>@</var> +"},
      {"<span class=\"a nohyphenate b\">@ <b>@</b></span> @",
       "<span class=\"a nohyphenate b\">@ <b>@</b></span> +"},
      {"<span class=nohyphenate>@</span><span class=\"nohyphenated\">@</span>",
       "<span class=nohyphenate>@</span><span class=\"nohyphenated\">+</span>"},
      {"<span class=\"x\" class=\"nohyphenate\">@</span>",  // the first class counts
       "<span class=\"x\" class=\"nohyphenate\">+</span>"},
      {"<svg><title>@</title><text>@</text></svg>@", "<svg><title>@</title><text>@</text></svg>+"},
      {"<svg><![CDATA[ @ ]]></svg>@", "<svg><![CDATA[ @ ]]></svg>+"},
      {"<math><mi>@</mi></math>@", "<math><mi>@</mi></math>+"},
      {"<svg><circle/>@</svg>@", "<svg><circle/>@</svg>+"},
      {"<svg>@<p>@", "<svg>@<p>+"},  // an HTML element leaves svg
      {"<math><annotation-xml encoding=\"text/html\"><p>@</p></annotation-xml></math>@",
       "<math><annotation-xml encoding=\"text/html\"><p>@</p></annotation-xml></math>+"},
      {"<math><annotation-xml><p>@</p></annotation-xml></math>@",
       "<math><annotation-xml><p>+</p></annotation-xml></math>+"},
      {"<svg><foreignObject><p>@</p></foreignObject></svg>@",
       "<svg><foreignObject><p>@</p></foreignObject></svg>+"},
  });
}

TEST(HyphenateHtml, LangChoosesTheLanguageOfTheElementAndItsDescendants) {
  expectCases({
      {"<p lang=fr>@ <b>@</b></p>@", "<p lang=fr>* <b>*</b></p>+"},
      {"<div lang=\"fr\"><p lang=\"en\">@</p>@</div>",
       "<div lang=\"fr\"><p lang=\"en\">+</p>*</div>"},
      {"<p lang=\"FR-ca\">@", "<p lang=\"FR-ca\">*"},
      {"<p lang=\" fr \">@", "<p lang=\" fr \">*"},
      {"<p lang=\"\">@</p>@", "<p lang=\"\">@</p>+"},                // unknown language
      {"<p lang=\"zh-Hans\">@</p>@", "<p lang=\"zh-Hans\">@</p>+"},  // no patterns
      {"<p lang=\"x-klingon\">@</p>@", "<p lang=\"x-klingon\">@</p>+"},
      {"<p lang=fr lang=en>@", "<p lang=fr lang=en>*"},          // the first counts
      {"<p xml:lang=fr lang=en>@", "<p xml:lang=fr lang=en>*"},  // xml:lang wins
      {"<p lang=en xml:lang=fr>@", "<p lang=en xml:lang=fr>*"},
      {"<html lang=fr><body>@", "<html lang=fr><body>*"},
      {"<p lang=fr></p>@", "<p lang=fr></p>+"},
      {"<span lang=fr>@</SPAN>@", "<span lang=fr>*</SPAN>+"},
  });
  // Without a language for the text outside lang, only text inside one is hyphenated.
  EXPECT_EQ(hyphenated("documentation <p lang=fr>documentation</p>", hy::MarkupSyntax::Html,
                       std::nullopt),
            "documentation <p lang=fr>" + std::string(kFrench) + "</p>");
}

TEST(HyphenateHtml, ElementsEndWhereABrowserEndsThem) {
  expectCases({
      // Omitted end tags.
      {"<p lang=fr>@<p>@", "<p lang=fr>*<p>+"},
      {"<p lang=fr>@<div>@</div>", "<p lang=fr>*<div>+</div>"},
      {"<p lang=fr>@<table><tr><td>@</table>", "<p lang=fr>*<table><tr><td>+</table>"},
      {"<p lang=fr>@<span>@</span>", "<p lang=fr>*<span>*</span>"},
      {"<ul><li lang=fr>@<li>@</ul>", "<ul><li lang=fr>*<li>+</ul>"},
      {"<ul lang=fr><li>@<li lang=en>@<li>@</ul>@", "<ul lang=fr><li>*<li lang=en>+<li>*</ul>+"},
      {"<li lang=fr>@<ul><li>@</ul>@", "<li lang=fr>*<ul><li>*</ul>*"},  // nested lists
      {"<dl><dt lang=fr>@<dd>@<dt>@</dl>", "<dl><dt lang=fr>*<dd>+<dt>+</dl>"},
      {"<select><option lang=fr>@<option>@</select>",
       "<select><option lang=fr>*<option>+</select>"},
      {"<table><tr lang=fr><td>@<tr><td>@</table>", "<table><tr lang=fr><td>*<tr><td>+</table>"},
      {"<table><tr><td lang=fr>@<td>@</table>", "<table><tr><td lang=fr>*<td>+</table>"},
      {"<table><thead lang=fr><tr><td>@<tbody><tr><td>@</table>",
       "<table><thead lang=fr><tr><td>*<tbody><tr><td>+</table>"},
      {"<table><caption lang=fr>@<tr><td>@</table>", "<table><caption lang=fr>*<tr><td>+</table>"},
      {"<td lang=fr>@", "<td lang=fr>+"},  // a cell outside a table is no element
      // What a table does not take goes before it.
      {"<table lang=fr>@<tr>@<td>@</table>", "<table lang=fr>+<tr>+<td>*</table>"},
      {"<div lang=fr><table lang=en><span>@</span><tr><td>@</table></div>",
       "<div lang=fr><table lang=en><span>*</span><tr><td>+</table></div>"},
      {"<a lang=fr>@<a>@</a>", "<a lang=fr>*<a>+</a>"},  // an a in an a ends it
      {"<ruby lang=fr>@<rt>@<rp>@</ruby>", "<ruby lang=fr>*<rt>*<rp>*</ruby>"},
      {"<h1 lang=fr>@<h2>@", "<h1 lang=fr>*<h2>+"},
      // An end tag ends the elements open inside its element, unless a boundary stands between.
      {"<div lang=fr><span><b>@</div>@", "<div lang=fr><span><b>*</div>+"},
      {"<div lang=fr><table><tr><td></div>@", "<div lang=fr><table><tr><td></div>*"},
      {"<span lang=fr><div>@</span>@", "<span lang=fr><div>*</span>*"},  // stops at a block
      {"</p><p lang=fr>@</p>@", "</p><p lang=fr>*</p>+"},
      {"<p lang=fr>@</br>@", "<p lang=fr>*</br>*"},
      // Misnested formatting elements: the block goes on outside the one that ends.
      {"<b lang=fr><div>@</b>@</div>", "<b lang=fr><div>*</b>+</div>"},
      {"<b lang=fr><i>@</b>@", "<b lang=fr><i>*</b>+"},
      // body and html do not end before the end of the document.
      {"<body lang=fr></body>@", "<body lang=fr></body>*"},
      {"<head lang=fr><title>x</title></head><body>@",
       "<head lang=fr><title>x</title></head><body>+"},
      {"<head lang=fr><p>@", "<head lang=fr><p>+"},  // body content ends head
      // Void elements have no content.
      {"<br lang=fr>@<img lang=fr>@<input lang=fr>@",
       "<br lang=fr>+<img lang=fr>+<input lang=fr>+"},
      {"<span lang=\"fr\"/>@", "<span lang=\"fr\"/>*"},  // "/>" ends no HTML element
      {"<span lang=fr/>@", "<span lang=fr/>@"},          // the language "fr/"
  });
}

TEST(HyphenateHtml, XhtmlEndsElementsOnlyAtTheirEndTag) {
  expectCases(
      {
          {"<p xml:lang=\"fr\">@<div>@</div></p>@", "<p xml:lang=\"fr\">*<div>*</div></p>+"},
          {"<span xml:lang=\"fr\"/>@", "<span xml:lang=\"fr\"/>+"},
          {"<p><![CDATA[@]]>@</p>", "<p><![CDATA[@]]>+</p>"},
          {"<script>@</script>@", "<script>@</script>+"},
          {"<script><![CDATA[ if (a < b) x = '</script>@' ]]></script>@",
           "<script><![CDATA[ if (a < b) x = '</script>@' ]]></script>+"},
          {"<?pi @ > @ ?>@", "<?pi @ > @ ?>+"},
          {"<!-- @ --> @ <!--> @ -->@", "<!-- @ --> + <!--> @ -->+"},
          {"<!DOCTYPE html [ <!ENTITY d \"@ > @\"> ]>@",
           "<!DOCTYPE html [ <!ENTITY d \"@ > @\"> ]>+"},
          {"<p>&d; @&d;</p>", "<p>&d; +&d;</p>"},  // an entity of the document's own
          {"<PRE>@</PRE>", "<PRE>+</PRE>"},        // XML names are case-sensitive
          {"<svg:svg><svg:text>@</svg:text></svg:svg>@",
           "<svg:svg><svg:text>@</svg:text></svg:svg>+"},
      },
      hy::MarkupSyntax::Xhtml);
}

TEST(HyphenateHtml, AnXmlDeclarationMakesTheDocumentXhtml) {
  for (const std::string_view start :
       {"<?xml version=\"1.0\"?>", "\xEF\xBB\xBF<?xml version='1.0'?>"}) {
    const std::string xhtml = std::string(start) + "<p><span lang=\"fr\"/>documentation</p>";
    EXPECT_EQ(hyphenated(xhtml, hy::MarkupSyntax::Detect),
              std::string(start) + "<p><span lang=\"fr\"/>" + std::string(kEnglish) + "</p>");
  }
  // Without one the document is HTML, where "/>" ends no span, and "<?xml" is a bogus comment.
  for (const std::string_view start : {"", "<?xml-stylesheet?>", " <?xml version=\"1.0\"?>"}) {
    const std::string html = std::string(start) + "<p><span lang=\"fr\"/>documentation</p>";
    EXPECT_EQ(hyphenated(html, hy::MarkupSyntax::Detect),
              std::string(start) + "<p><span lang=\"fr\"/>" + std::string(kFrench) + "</p>");
  }
  EXPECT_EQ(hyphenated("<?xml ", hy::MarkupSyntax::Detect), "<?xml ");
  EXPECT_EQ(hyphenated("", hy::MarkupSyntax::Detect), "");
}

TEST(HyphenateHtml, CharacterReferencesAreTheCharactersTheyStandFor) {
  const auto english = [](std::string_view text) {
    hy::MarkupOptions options;
    options.text.separator = "~";
    return hy::hyphenateHtml(hy::english_US, text, options);
  };
  const auto french = [](std::string_view text) {
    hy::MarkupOptions options;
    options.text.separator = "~";
    return hy::hyphenateHtml(hy::french, text, options);
  };
  EXPECT_EQ(french("r&eacute;publique"), "r&eacute;~pu~blique");
  EXPECT_EQ(french("r&#233;publique r&#xe9;publique r&eacutepublique"),
            "r&#233;~pu~blique r&#xe9;~pu~blique r&eacute~pu~blique");
  EXPECT_EQ(english("documen&#116;ation"), "doc~u~men~&#116;a~tion");
  // A reference that is no letter ends a word, and one that stands for nothing is text.
  EXPECT_EQ(english("documentation&amp;documentation&nbsp;documentation"),
            "doc~u~men~ta~tion&amp;doc~u~men~ta~tion&nbsp;doc~u~men~ta~tion");
  EXPECT_EQ(english("&unknown;documentation &#;documentation"),
            "&unknown;doc~u~men~ta~tion &#;doc~u~men~ta~tion");
  // Soft hyphens already in a word are its breaks, however they are written.
  for (const std::string_view soft : {"&shy;", "&#173;", "&#xAD;", "&#xad;", "\u00AD"}) {
    const std::string word = "documen" + std::string(soft) + "tation";
    EXPECT_EQ(english(word), word);
  }
}

TEST(HyphenateHtml, TheDefaultSeparatorIsASoftHyphenReferenceAndASecondPassChangesNothing) {
  const std::string once = hy::hyphenateHtml(hy::english_US, "<p>Documentation of hyphenation</p>");
  EXPECT_EQ(once, "<p>Doc&#173;u&#173;men&#173;ta&#173;tion of hy&#173;phen&#173;ation</p>");
  EXPECT_EQ(hy::hyphenateHtml(hy::english_US, once), once);

  hy::MarkupOptions soft;
  soft.text.separator = "\u00AD";
  const std::string character = hy::hyphenateHtml(hy::english_US, "<p>documentation</p>", soft);
  EXPECT_EQ(character, "<p>doc\u00ADu\u00ADmen\u00ADta\u00ADtion</p>");
  EXPECT_EQ(hy::hyphenateHtml(hy::english_US, character, soft), character);
}

TEST(HyphenateHtml, TheRunningTextOptionsApplyToCharacterData) {
  hy::MarkupOptions options;
  options.text.separator = "~";
  options.text.minWordLength = 14;
  EXPECT_EQ(hy::hyphenateHtml(hy::english_US, "<p>documentation documentations</p>", options),
            "<p>documentation doc~u~men~ta~tions</p>");
  options.text.minWordLength = 0;
  EXPECT_EQ(
      hy::hyphenateHtml(hy::english_US, "<p>see https://example.com/documentation</p>", options),
      "<p>see https://example.com/documentation</p>");
}
