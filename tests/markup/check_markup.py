#!/usr/bin/python3
"""Holds the markup layer against real parsers.

    check_markup.py TOOL PAGE [--language TAG] [--xml]

TOOL is markup_tool. PAGE is hyphenated whole and in pieces of several sizes (all must give
the same bytes); removing the separators must give back PAGE byte for byte. Then PAGE and its
output are parsed, with html5lib as a browser parses HTML, or with an XML parser for --xml, and
the trees must be the same once the soft hyphens are taken out of their text. Last, every text
node of the output must be what the running-text rules make of the input's text node in the
language that the parser's tree gives it (its nearest lang or xml:lang, TAG outside them), and
unchanged where the tree puts it in a script, style, pre, code, ..., svg, math or nohyphenate
element. So where an element ends is decided by the parser, not by the code under test.
"""

import argparse
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


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("tool")
    parser.add_argument("page")
    parser.add_argument("--language", default=None)
    parser.add_argument("--xml", action="store_true")
    options = parser.parse_args()

    with open(options.page, "rb") as file:
        page = file.read()
    common = ["--syntax", "xhtml" if options.xml else "html"]
    if options.language:
        common += ["--language", options.language]

    whole = run(options.tool, *common, options.page)
    for chunk in CHUNKS[1:]:
        if run(options.tool, *common, "--chunk", str(chunk), options.page) != whole:
            fail(f"pieces of {chunk} bytes give other output than the whole page")
    marked = run(options.tool, *common, "--separator", MARKER, options.page)
    if marked.replace(MARKER.encode(), b"") != page:
        fail("removing the separators does not give back the page")
    if marked.replace(MARKER.encode(), SOFT_HYPHEN.encode()) != whole:
        fail("the separator changes where the breaks go")
    if whole == page:
        fail("nothing was hyphenated")

    before = parse(page, options.xml)
    after = parse(whole, options.xml)
    if events(before, []) != events(after, []):
        fail("the trees differ beyond soft hyphens")
        return
    inputs = text_nodes(before, [])
    outputs = text_nodes(after, [])
    records = b""
    for node in inputs:
        language = language_of(node.parentNode, options.language)
        if language is None or untouched(node.parentNode):
            language = ""
        records += language.encode() + b"\0" + node.data.encode("utf-8", "surrogatepass") + b"\0"
    with tempfile.NamedTemporaryFile() as file:
        file.write(records)
        file.flush()
        expected = run(options.tool, "--texts", file.name).split(b"\0")
    hyphenated = 0
    for node, output, want in zip(inputs, outputs, expected):
        got = output.data.encode("utf-8", "surrogatepass")
        if got != want:
            fail(f"in <{local(node.parentNode)}>: got {got.decode()!r}, want {want.decode()!r}")
        hyphenated += got != node.data.encode("utf-8", "surrogatepass")
    print(f"{options.page}: {len(inputs)} text nodes, {hyphenated} hyphenated")


if __name__ == "__main__":
    main()
    sys.exit(1 if failures else 0)
