#pragma once
// The macro editor's record buttons: a plain button that keeps its "redioimage" attribute.

#include <QPushButton>

namespace md {

class CRedioMacroButtonUI : public QPushButton {
    Q_OBJECT
  public:
    static constexpr const char* kClass = "RedioMacroButton";

    explicit CRedioMacroButtonUI(QWidget* parent = nullptr);

    using QPushButton::setAttribute;
    void setAttribute(const QString& name, const QString& value);
    QString redioImage() const { return m_redioImage; }

  protected:
    bool event(QEvent* e) override;

  private:
    QString m_redioImage;
};

}  // namespace md
