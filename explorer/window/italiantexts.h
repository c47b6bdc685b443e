// Qt's own texts in Italian: the program speaks Italian whatever the
// desktop's language, so its standard buttons read "Sì" and "No" too.
#pragma once

class QCoreApplication;

namespace quorvane {

// Installs Qt's Italian translation on app; false when it is not installed
// on this machine (the buttons then keep Qt's English names).
bool installItalianTexts(QCoreApplication& app);

} // namespace quorvane
