// The program speaks Japanese, and so do Qt's own buttons and dialogs
// (はい, いいえ, キャンセル beside the program's captions).
#pragma once

class QCoreApplication;

namespace quenby::shell {

// Installs Qt's Japanese translations for the application; false when they
// are not installed (Qt's English then stays).
bool LoadQtTranslations(QCoreApplication& app);

}  // namespace quenby::shell
