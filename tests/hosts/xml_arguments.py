#!/usr/bin/env python3
"""The command-line texts that XScreenSaver's settings can give the saver.

Reads a saver's settings page (XScreenSaver's .xml format) and prints, one
per line, every text that its widgets add to the command line: each arg-set
and arg-unset as written, and each arg with its "%" replaced by the values
the widget can give (a number's low, high and default; a string's SAMPLE).
The texts are as the host writes them before /bin/sh splits them.

    xml_arguments.py FILE.xml SAMPLE
"""
import sys
import xml.etree.ElementTree as ElementTree


def number_text(value):
    # XScreenSaver writes integral ranges as integers.
    number = float(value)
    return str(int(number)) if number == int(number) else value


def texts(root, sample):
    for element in root.iter():
        for attribute in ("arg-set", "arg-unset"):
            if element.get(attribute):
                yield element.get(attribute)
        arg = element.get("arg")
        if element.tag == "command" or not arg:
            continue
        if "%" not in arg:
            yield arg
        elif element.tag == "number":
            for bound in ("low", "high", "default"):
                yield arg.replace("%", number_text(element.get(bound, "0")))
        else:
            yield arg.replace("%", sample)


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: xml_arguments.py FILE.xml SAMPLE")
    root = ElementTree.parse(sys.argv[1]).getroot()
    command = root.find("command")
    if root.tag != "screensaver" or command is None:
        sys.exit("xml_arguments.py: %s is no saver page" % sys.argv[1])
    print(command.get("arg"))
    for text in texts(root, sys.argv[2]):
        print(text)


if __name__ == "__main__":
    main()
