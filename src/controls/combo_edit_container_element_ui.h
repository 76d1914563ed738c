#pragma once
// A list row whose content is the layout "XML/CustomControlXML/ComboEditElementItem.xml": two
// texts ("text1", "text2") and a delay field ("delay_edit"). Besides the row behaviour it
// notifies "return" when Return activates it and "timer" for its own timers.

#include <QPointer>

#include "controls/list_element_ui.h"

#include <QLabel>
#include <QLineEdit>

namespace md {

class CComboEditContainerElementUI : public ListElementUI {
    Q_OBJECT
  public:
    static constexpr const char* kClass = "ComboEditContainerElement";
    static constexpr const char* kLayoutFile = "XML/CustomControlXML/ComboEditElementItem.xml";

    explicit CComboEditContainerElementUI(QWidget* parent = nullptr);

    // The row's own interface for "ComboEditContainerElement", else nullptr.
    CComboEditContainerElementUI* getInterface(const QString& name);

    void setAttribute(const QString& name, const QString& value) override;

    QLabel* text1() const { return m_text1; }
    QLabel* text2() const { return m_text2; }
    QLineEdit* delayEdit() const { return m_delayEdit; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

  private:
    QPointer<QLabel> m_text1;
    QPointer<QLabel> m_text2;
    QPointer<QLineEdit> m_delayEdit;
};

}  // namespace md
