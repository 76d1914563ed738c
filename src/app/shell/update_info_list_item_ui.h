#pragma once
// A row of the settings window's update list, built from
// "XML/CustomControlXML/device_Update_list_item.xml": the entry's name on its check box
// ("check_name_select"), the installed version ("OldRev"), the latest version ("updateRev",
// hidden while empty), the state text ("update_status_text"), the progress ("update_status_ing"
// with "update_progress_value") and the done mark ("update_status_ok"). The row's state (0-8,
// update_row in online/update_info.h) decides which of them show, whether the check box can be
// ticked and its colours. While the pointer is over a row whose box is not ticked, and the list
// has a hot image, the row gets a 1-px frame in the list's "hotbordercolor".

#include <QPointer>
#include <QString>

#include "controls/list_element_ui.h"

class QAbstractButton;
class QLabel;
class QProgressBar;

namespace md {

class CUpdateInfoListItemUI : public ListElementUI {
    Q_OBJECT
  public:
    static constexpr const char* kClass = "UpdateInfoListItemUI";
    static constexpr const char* kLayoutFile = "XML/CustomControlXML/device_Update_list_item.xml";
    static constexpr int kHeight = 50;

    explicit CUpdateInfoListItemUI(QWidget* parent = nullptr);

    static QString GetClass() { return QString::fromLatin1(kClass); }

    int state() const { return m_state; }
    // Shows state; setting the state the row has changes nothing.
    void setState(int state);

    void setName(const QString& name);
    QString name() const;
    void setOldRev(const QString& text);
    QString oldRev() const;
    void setUpdateRev(const QString& text);
    QString updateRev() const;
    // The last percentage reported ("%d%").
    void setProgress(int percent);
    int progress() const { return m_progress; }
    // The row's user data: where the update is downloaded from.
    void setDownloadPath(const QString& path) { m_downloadPath = path; }
    QString downloadPath() const { return m_downloadPath; }

    QAbstractButton* checkBox() const;
    bool isTicked() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void applyState();

    QPointer<QAbstractButton> m_check;
    QPointer<QLabel> m_oldRev;
    QPointer<QLabel> m_updateRev;
    QPointer<QLabel> m_statusText;
    QPointer<QProgressBar> m_statusIng;
    QPointer<QLabel> m_progressValue;
    QPointer<QLabel> m_statusOk;
    QString m_downloadPath;
    int m_state = -1;
    int m_progress = 0;
};

}  // namespace md
