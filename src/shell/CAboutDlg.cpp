#include "shell/CAboutDlg.h"

#include "shell/AppRoutines.h"

namespace shell {

CAboutDlg::CAboutDlg(int versionNumber) : text_(AboutText(versionNumber)) {}

}  // namespace shell
