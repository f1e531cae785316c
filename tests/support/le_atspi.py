#!/usr/bin/python3
"""Reads a running program's windows through AT-SPI, as a screen reader does.

Usage: le_atspi.py PID. Prints one JSON object per accessible object of the
program's windows: its window's name, role, name, text (when it has a Text
interface) and the names of what labels it. The cells of a table are listed
when it has few (a grid made with hundreds of empty rows is listed alone), each
with the table's name.
"""
import json
import sys

import pyatspi


def texto(objeto):
    try:
        t = objeto.queryText()
    except NotImplementedError:
        return None
    return t.getText(0, t.characterCount)


def rotulos(objeto):
    nomes = []
    for relacao in objeto.getRelationSet():
        if relacao.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            nomes += [relacao.getTarget(i).name for i in range(relacao.getNTargets())]
    return nomes


# Tables with more children than this are not gone into.
CELULAS_LIDAS = 400


def percorre(objeto, janela, tabela=None):
    lido = {"janela": janela, "papel": objeto.getRoleName(), "nome": objeto.name,
            "texto": texto(objeto), "rotulos": rotulos(objeto)}
    if tabela is not None:
        lido["tabela"] = tabela
    print(json.dumps(lido, ensure_ascii=False))
    if objeto.getRole() in (pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE):
        if objeto.childCount > CELULAS_LIDAS:
            return
        tabela = objeto.name
    for filho in objeto:
        if filho is not None:
            percorre(filho, janela, tabela)


def main():
    pid = int(sys.argv[1])
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            for janela in app:
                if janela is not None:
                    percorre(janela, janela.name)
            return 0
    print("nenhum programa com o pid %d no barramento de acessibilidade" % pid, file=sys.stderr)
    return 1


sys.exit(main())
