#ifndef TRADUCAODOQT_H
#define TRADUCAODOQT_H

// Qt's own texts (the file and colour dialogs, their buttons, the standard buttons of message
// boxes) in Brazilian Portuguese, whatever the system's locale: the program speaks nothing else.
// Installs Qt's pt_BR translation (qt6-translations-l10n) on the application once; later calls do
// nothing. The locale is left alone: numbers are read and shown as before. False when the
// translation is not installed, and Qt's texts stay in English.
bool instalarTraducaoDoQt();

#endif
