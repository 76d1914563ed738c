#pragma once
// A button with a picture drawn over its own look: attribute "handimage", an image description
// (file path, or file='...' with source / dest / fade). Entering and leaving the button while
// it is enabled notify "msenter" and "msleave".

#include <QPushButton>

namespace md {

class CHandImgButtonUI : public QPushButton {
    Q_OBJECT
  public:
    static constexpr const char* kClass = "HandImgButton";

    explicit CHandImgButtonUI(QWidget* parent = nullptr);

    using QPushButton::setAttribute;
    void setAttribute(const QString& name, const QString& value);
    QString handImage() const { return m_handImage; }
    bool isHot() const { return m_hot; }

  protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    QString m_handImage;
    bool m_hot = false;
};

}  // namespace md
