// The DSC composer `frmDSCCompose2`: 49 symbol boxes, a format list that fills in the head of the
// call, four slot files and the transfer to the Testbox.
#pragma once

#include "dsc/dschead.h"
#include "link/toolwindow.h"

#include <QList>

class QComboBox;
class QLabel;
class QLineEdit;

namespace tb {

class DscWindow final : public ToolWindow
{
    Q_OBJECT
public:
    explicit DscWindow(ToolHost &host, QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildBoxes();
    void buildLabels();
    void buildButtons();
    void fillFormatList();
    void fitFormatList(const dsc::HeadLabels &head);

    void cmbFormat_LostFocus();
    void txtData_Change();
    void saveDscSlot(const QString &fileName);
    void loadDscSlot(const QString &fileName);
    void transferCall();

    QStringList boxTexts() const;

    QList<QLineEdit *> m_txtData; // the control array, index 0 to 48
    QComboBox *m_format = nullptr;
    int m_formatChosen = -1; // the item chosen in the list; typing into its text unchooses it
    QLabel *m_address = nullptr;
    QLabel *m_category = nullptr;
    QLabel *m_selfId = nullptr;
};

} // namespace tb
