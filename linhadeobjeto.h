#ifndef LINHADEOBJETO_H
#define LINHADEOBJETO_H

class Objeto;
class QListWidgetItem;

// The object list's row for objeto: "<name> : <kind>". The list lays out a row's whole text on every
// repaint, and a name can be megabytes long: a row shows its first 200 characters and "…", and the
// whole name is in the row's tooltip.
QListWidgetItem* linhaDeObjeto(const Objeto& objeto);

#endif
