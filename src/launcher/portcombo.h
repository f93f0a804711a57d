// The launcher's port list: an editable combo box that lets its owner fill it again from the ports
// present at the moment the user opens its drop-down.
#pragma once

#include <QComboBox>

#include <functional>

namespace tb {

class PortCombo final : public QComboBox
{
public:
    using QComboBox::QComboBox;

    void setBeforePopup(std::function<void()> refresh) { m_refresh = std::move(refresh); }

    void showPopup() override
    {
        if (m_refresh)
            m_refresh();
        QComboBox::showPopup();
    }

private:
    std::function<void()> m_refresh;
};

} // namespace tb
