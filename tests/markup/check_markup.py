#!/usr/bin/python3
"""Holds the markup layer against real parsers.

    check_markup.py TOOL PAGE [--language TAG] [--xml]
    check_markup.py TOOL --soup SEED COUNT [--language TAG]

TOOL is markup_tool. PAGE is hyphenated whole and in pieces of several sizes (all must give
the same bytes); removing the separators must give back PAGE byte for byte. Then PAGE and its
output are parsed, with html5lib as a browser parses HTML, or with an XML parser for --xml, and
the trees must be the same once the soft hyphens are taken out of their text. Last, every text
node of the output must be what the running-text rules make of the input's text node in the
language that the parser's tree gives it (its nearest lang or xml:lang, TAG outside them), and
unchanged where the tree puts it in a script, style, pre, code, ..., svg, math or nohyphenate
element. So where an element ends is decided by the parser, not by the code under test.

--soup makes COUNT random documents instead: tag soup of misnested, unclosed and stray tags
with lang and class attributes, to hold the end of every element against html5lib.
"""

import argparse
import os
import random
import subprocess
import sys
import tempfile
import xml.dom.minidom

try:
    import html5lib
    import lxml.etree
except ImportError as missing:  # CTest counts the test as skipped
    print(f"skipped: {missing} (apt-get install python3-html5lib python3-lxml)")
    sys.exit(77)

SOFT_HYPHEN = "\u00ad"
MARKER = "\ue000"  # a separator no page holds, to check the bytes
CHUNKS = [0, 1, 2, 3, 7, 64, 4096]
UNTOUCHED = {"script", "style", "pre", "listing", "code", "kbd", "samp", "var", "textarea",
             "title", "xmp", "iframe", "noembed", "noframes", "noscript", "plaintext"}
HTML_NAMESPACE = "http://www.w3.org/1999/xhtml"
XML_NAMESPACE = "http://www.w3.org/XML/1998/namespace"

failures = []


def fail(message):
    failures.append(message)
    print("FAIL:", message, file=sys.stderr)


def run(tool, *args, stdin=None):
    result = subprocess.run([tool, *args], input=stdin, capture_output=True, check=True)
    return result.stdout


def parse(data, as_xml):
    if as_xml:
        lxml.etree.fromstring(data, lxml.etree.XMLParser(resolve_entities=False))
        document = xml.dom.minidom.parseString(data)
    else:
        document = html5lib.parse(data, treebuilder="dom", transport_encoding="utf-8",
                                  namespaceHTMLElements=True, scripting=True)
    document.normalize()  # one text node for each stretch of text, references and all
    return document


def local(node):
    return (node.localName or node.nodeName).lower()


def events(node, out):
    """The tree as a flat list, text with its soft hyphens taken out."""
    for child in node.childNodes:
        kind = child.nodeType
        if kind == child.ELEMENT_NODE:
            attributes = sorted((a.namespaceURI or "", a.name, a.value)
                                for a in child.attributes.values())
            out.append(("start", child.namespaceURI, child.tagName, attributes))
            events(child, out)
            out.append(("end",))
        elif kind == child.CDATA_SECTION_NODE:
            out.append(("cdata", child.data))
        elif kind == child.TEXT_NODE:
            out.append(("text", child.data.replace(SOFT_HYPHEN, "")))
        elif kind == child.COMMENT_NODE:
            out.append(("comment", child.data))
        elif kind == child.PROCESSING_INSTRUCTION_NODE:
            out.append(("pi", child.target, child.data))
        elif kind == child.DOCUMENT_TYPE_NODE:
            out.append(("doctype", child.name, child.publicId, child.systemId))
    return out


def language_of(element, outside):
    """The nearest xml:lang or lang, as a browser reads it; None: not hyphenated."""
    while element is not None and element.nodeType == element.ELEMENT_NODE:
        xml_lang = element.getAttributeNodeNS(XML_NAMESPACE, "lang") or \
            element.getAttributeNode("xml:lang")
        lang = xml_lang or element.getAttributeNode("lang")
        if lang is not None:
            return lang.value.strip(" \t\n\f\r") or None
        element = element.parentNode
    return outside


def untouched(element):
    while element is not None and element.nodeType == element.ELEMENT_NODE:
        if element.namespaceURI not in (HTML_NAMESPACE, None):
            return True  # svg, math
        if local(element) in UNTOUCHED or local(element) in ("svg", "math"):
            return True
        if "nohyphenate" in element.getAttribute("class").split():
            return True
        element = element.parentNode
    return False


def text_nodes(node, out):
    for child in node.childNodes:
        if child.nodeType == child.TEXT_NODE:
            out.append(child)
        elif child.nodeType == child.ELEMENT_NODE:
            text_nodes(child, out)
    return out


def check_page(tool, path, language, as_xml, require_breaks=True):
    with open(path, "rb") as file:
        page = file.read()
    common = ["--syntax", "xhtml" if as_xml else "html"]
    if language:
        common += ["--language", language]

    whole = run(tool, *common, path)
    for chunk in CHUNKS[1:]:
        if run(tool, *common, "--chunk", str(chunk), path) != whole:
            fail(f"{path}: pieces of {chunk} bytes give other output than the whole page")
    marked = run(tool, *common, "--separator", MARKER, path)
    if marked.replace(MARKER.encode(), b"") != page:
        fail(f"{path}: removing the separators does not give back the page")
    if marked.replace(MARKER.encode(), SOFT_HYPHEN.encode()) != whole:
        fail(f"{path}: the separator changes where the breaks go")
    if require_breaks and whole == page:
        fail(f"{path}: nothing was hyphenated")

    before = parse(page, as_xml)
    after = parse(whole, as_xml)
    if events(before, []) != events(after, []):
        fail(f"{path}: the trees differ beyond soft hyphens")
        return
    inputs = text_nodes(before, [])
    outputs = text_nodes(after, [])
    records = b""
    for node in inputs:
        tag = language_of(node.parentNode, language)
        if tag is None or untouched(node.parentNode):
            tag = ""
        records += tag.encode() + b"\0" + node.data.encode("utf-8", "surrogatepass") + b"\0"
    with tempfile.NamedTemporaryFile() as file:
        file.write(records)
        file.flush()
        expected = run(tool, "--texts", file.name).split(b"\0")
    hyphenated = 0
    for node, output, want in zip(inputs, outputs, expected):
        got = output.data.encode("utf-8", "surrogatepass")
        if got != want:
            fail(f"{path}: in <{local(node.parentNode)}>: got {got.decode()!r}, "
                 f"want {want.decode()!r}")
        hyphenated += got != node.data.encode("utf-8", "surrogatepass")
    print(f"{path}: {len(inputs)} text nodes, {hyphenated} hyphenated")


# Elements for tag soup. Left out where the reference parser is known to part from browsers or
# where no streaming reader can follow: svg and math (html5lib lets an end tag close a MathML or
# SVG element of the same name from HTML content), select, template, html, body and head in the
# middle of a document, the end tags of formatting elements (and a in a, nobr in nobr), with
# which a browser may move text it has already placed into another element, and tables, whose
# stray content the markup layer follows only in the common cases (the pages test those).
SOUP_ELEMENTS = ("p div span b i em code u s font strong small li ul ol dl dt dd h1 h2 pre "
                 "section blockquote address button form ruby rt rp center").split()
FORMATTING = set("b i em code u s font strong small".split())


def soup(generator):
    out = ["<!DOCTYPE html><html><body>"]
    for _ in range(40):
        draw = generator.random()
        name = generator.choice(SOUP_ELEMENTS)
        if draw < 0.45:
            attributes = ""
            if generator.random() < 0.5:
                attributes += ' lang="%s"' % generator.choice(["fr", "en", "de", "", "fr"])
            if generator.random() < 0.08:
                attributes += ' class="nohyphenate"'
            out.append(f"<{name}{attributes}>")
        elif draw < 0.7:
            if name not in FORMATTING:
                out.append(f"</{name}>")
        else:
            out.append(generator.choice([" documentation ", " hyphenation ", "\n"]))
    return "".join(out)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("tool")
    parser.add_argument("page", nargs="?")
    parser.add_argument("--language", default=None)
    parser.add_argument("--xml", action="store_true")
    parser.add_argument("--soup", nargs=2, type=int, metavar=("SEED", "COUNT"))
    options = parser.parse_args()
    if not options.soup:
        check_page(options.tool, options.page, options.language, options.xml)
        return
    seed, count = options.soup
    generator = random.Random(seed)
    with tempfile.TemporaryDirectory() as directory:
        for k in range(count):
            path = os.path.join(directory, f"soup-{seed}-{k}.html")
            document = soup(generator)
            with open(path, "w", encoding="utf-8") as file:
                file.write(document)
            before = len(failures)
            check_page(options.tool, path, options.language, False, require_breaks=False)
            if len(failures) > before:
                print(f"{path}:\n{document}", file=sys.stderr)


if __name__ == "__main__":
    main()
    sys.exit(1 if failures else 0)
