#include "app/devmgmt/router_dialogs.h"

#include "app/shell/main_wnd.h"
#include "app/shell/msg_wnd.h"

namespace md {

bool askYesNo(CMainWnd& wnd, const QString& textId) {
    return showMessageBox(&wnd, QString(), textId, wnd.uiScale(), true, 1) == 1;
}

void tellUser(CMainWnd& wnd, const QString& text, bool isId) {
    showMessageBox(&wnd, QString(), text, wnd.uiScale(), isId, 0);
}

}  // namespace md
