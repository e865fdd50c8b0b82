// The fixed texts of a window in the current language, again after each change of language.
// A window creates its captions, buttons, menus, tool tips, title and table headers with their
// French source texts (marked for the extraction tool by QT_TR_NOOP / QT_TRANSLATE_NOOP), then
// calls Retraduire: the first time, each text is kept as its own source; each time, it is
// replaced by its translation in the first of `contextes` that has one. A text the window's code
// set since (a value, a state) is left alone: the code writes it in the current language.
#pragma once

#include <initializer_list>

class QWidget;

void Retraduire(QWidget* racine, std::initializer_list<const char*> contextes);
