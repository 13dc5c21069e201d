#pragma once

class QCoreApplication;

// Makes Qt's own texts (standard buttons, file dialogs) Japanese like the
// rest of the viewer, from Qt's translations of its base library.
void InstallToolkitTranslation(QCoreApplication& application);
