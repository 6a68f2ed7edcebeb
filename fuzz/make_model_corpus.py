#!/usr/bin/env python3
"""Writes the model fuzzer's seed corpus (fuzz/corpus/model/).

Seeds: the example configuration as it stands and a few structural
documents (special list with relationship table, duplicate ids, several
protocols, side documents), their rules built from the example's elements.
The seeds of the kinds (operation-NN.xml, action-NN.xml: one small whole
configuration per kind, written from the kind's grammar) come from the
kinds' tables: the model_seeds program (fuzz/model_seeds.cpp, built with the
tests) writes them, and a test keeps them equal to the tables.

Run from anywhere: python3 fuzz/make_model_corpus.py
"""

import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
EXAMPLE = ROOT / "examples" / "EventConfig.xml"
OUT = ROOT / "fuzz" / "corpus" / "model"

# The kinds whose example elements the structural seeds use.
USED_OPERATIONS = [0, 1, 2, 3, 4, 5, 6, 10]
USED_ACTIONS = [0, 1, 2, 3, 4, 5, 6]


def document(protocols, extra=""):
    return ("<EventConfig><Protocol>" + "".join(protocols) + "</Protocol>"
            "<MsgParserConfig><Parser Name=\"p\"/></MsgParserConfig>"
            "<GenMessageInfoString><Info ID=\"1\">x</Info></GenMessageInfoString>"
            + extra + "</EventConfig>\n")


def protocol(key, rules, special=""):
    return (f"<P ProtocolType=\"{key}\"><StateMachineConfig>{special}"
            "<SystemState ID=\"1\" Name=\"Idle\">"
            "<MsgList><Msg MsgID=\"1A\" LogCode=\"4125\" Name=\"Setup\"/></MsgList>"
            "<LogFieldList><Field_IEID CanActiveSysState=\"1\">2A</Field_IEID></LogFieldList>"
            "<WaitingEventStateList>"
            "<WaitingEventState ID=\"1\" InitialActivated=\"1\" NeedProcessLogField=\"TRUE\">"
            + rules +
            "</WaitingEventState></WaitingEventStateList></SystemState></StateMachineConfig>"
            "<EventInfoList><Event ID=\"5\" Name=\"Drop\"/></EventInfoList>"
            "<LogCodeFieldList><Code>4125</Code><Code>0x1f</Code></LogCodeFieldList></P>")


def rule(operation, actions, rule_id=1):
    return (f"<Rule ID=\"{rule_id}\" InitialActivated=\"1\" PlatType=\"0\">{operation}"
            f"<ActionList><Result Type=\"TRUE\">{actions}</Result>"
            "<Result Type=\"FALSE\"><Action Type=\"0\" Info=\"f\"/></Result></ActionList></Rule>")


def first_elements(text, tag):
    """The first element of each "Type" among the (non-nesting) tag elements."""
    found = {}
    pattern = re.compile(r"<%s\b([^>]*?)(/>|>.*?</%s>)" % (tag, tag), re.S)
    for match in pattern.finditer(text):
        type_match = re.search(r'\bType="(\d+)"', match.group(1))
        if type_match:
            found.setdefault(int(type_match.group(1)), re.sub(r">\s+<", "><", match.group(0)))
    return found


def main():
    example = EXAMPLE.read_text(encoding="utf-8")
    body = re.sub(r"<!--.*?-->", "", example, flags=re.S)
    operations = first_elements(body, "Operation")
    actions = first_elements(body, "Action")
    operations.setdefault(0, "<Operation Type=\"0\" Info=\"always\"/>")
    actions.setdefault(0, "<Action Type=\"0\" Info=\"note\"/>")
    missing = [i for i in USED_OPERATIONS if i not in operations]
    missing += [f"action {i}" for i in USED_ACTIONS if i not in actions]
    if missing:
        sys.exit(f"the example lacks kinds: {missing}")

    OUT.mkdir(parents=True, exist_ok=True)
    seeds = {"example.xml": example}

    special = ("<SpecialEventStateList>"
               "<MsgList><Msg MsgID=\"14\" LogCode=\"\" Name=\"Release\"/><Msg MsgID=\"14\"/></MsgList>"
               "<LogFieldList><Field_IEID>1003</Field_IEID></LogFieldList>"
               "<WaitingEventStateList><WaitingEventState ID=\"900\" InitialActivated=\"1\">"
               + rule(operations[10], actions[1], 43) +
               "</WaitingEventState><WaitingEventState ID=\"901\"/></WaitingEventStateList>"
               "<Relationship><SystemState ID=\"1\"><WaitingEventStateID>900</WaitingEventStateID>"
               "<WaitingEventStateID>7</WaitingEventStateID></SystemState>"
               "<SystemState ID=\"2\"><WaitingEventStateID>901</WaitingEventStateID></SystemState>"
               "</Relationship></SpecialEventStateList>")
    seeds["relationship-list.xml"] = document([protocol(1, rule(operations[6], actions[2]), special)])
    duplicates = rule(operations[4], actions[3], 5) + rule(operations[5], actions[5], 5) + \
        "<Rule><Operation Type=\"45\"/><ActionList><Result Type=\"TRUE\">" \
        "<Action Type=\"8\"/><Action Type=\"19\"/></Result><Result Type=\"true\"/></ActionList></Rule>"
    seeds["duplicates.xml"] = document([protocol(1, duplicates), protocol(1, rule(operations[1], actions[6]))])
    seeds["protocols.xml"] = document([protocol(k, rule(operations[k + 1], actions[k + 1])) for k in (0, 1, 2, 3)]
                                      + ["<Q/>", "<R ProtocolType=\"-7\"><StateMachineConfig/></R>"])
    seeds["empty-lists.xml"] = document(["<P ProtocolType=\"2\"><StateMachineConfig/>"
                                         "<EventInfoList/><LogCodeFieldList/></P>"])

    for old in OUT.glob("*.xml"):
        kind_seed = re.fullmatch(r"(operation|action)-\d+\.xml", old.name)
        if old.name not in seeds and not kind_seed:
            old.unlink()
    for name, text in seeds.items():
        (OUT / name).write_text(text, encoding="utf-8")
    print(f"{len(seeds)} seeds in {OUT.relative_to(ROOT)}")


if __name__ == "__main__":
    main()
