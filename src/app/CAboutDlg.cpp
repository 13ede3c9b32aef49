#include "app/CAboutDlg.h"

#include "app/AppRoutines.h"

namespace app {

CAboutDlg::CAboutDlg(int versionNumber) : text_(AboutText(versionNumber)) {}

}  // namespace app
