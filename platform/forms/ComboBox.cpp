#include "platform/forms/ComboBox.h"
#include <QComboBox>
#include <QLineEdit>
#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"
#include "platform/messages/Application.h"
#include "platform/forms/QtText.h"

namespace {

class ComboStrings : public TStrings {
public:
    explicit ComboStrings(QComboBox* combo) : FCombo(combo) {}
    int Count() const override { return FCombo->count(); }
    AnsiString Get(int index) const override
    {
        CheckIndex(index, Count());
        return FromQString(FCombo->itemText(index));
    }
    void Put(int index, const AnsiString& s) override
    {
        CheckIndex(index, Count());
        FCombo->setItemText(index, ToQString(s));
    }
    TObject* GetObject(int index) const override
    {
        CheckIndex(index, Count());
        return static_cast<TObject*>(FCombo->itemData(index).value<void*>());
    }
    void PutObject(int index, TObject* object) override
    {
        CheckIndex(index, Count());
        FCombo->setItemData(index, QVariant::fromValue(static_cast<void*>(object)));
    }
    void Insert(int index, const AnsiString& s) override
    {
        CheckIndex(index, Count() + 1);
        QSignalBlocker block(FCombo);
        FCombo->insertItem(index, ToQString(s));
    }
    void Delete(int index) override
    {
        CheckIndex(index, Count());
        QSignalBlocker block(FCombo);
        FCombo->removeItem(index);
    }
    void Clear() override
    {
        QSignalBlocker block(FCombo);
        QString text = FCombo->isEditable() ? FCombo->currentText() : QString();
        FCombo->clear();
        if (FCombo->isEditable())
            FCombo->setEditText(text);
    }

private:
    static void CheckIndex(int index, int limit)
    {
        if (index < 0 || index >= limit)
            throw EStringListError("List index out of bounds (" + IntToStr(index) + ")");
    }
    QComboBox* FCombo;
};

} // namespace

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner), FCombo(new QComboBox())
{
    FItems = std::make_unique<ComboStrings>(FCombo);
    SetWidget(FCombo);
    FCombo->resize(145, 21);
    SetStyle(csDropDown);
    // activated is the user's choice only; code that sets the index raises nothing.
    QObject::connect(FCombo, &QComboBox::activated, [this](int) {
        if (OnChange)
            Dispatch([this] { OnChange(this); });
    });
}

TComboBox::~TComboBox() = default;

void TComboBox::SetStyle(TComboBoxStyle style)
{
    FStyle = style;
    QSignalBlocker block(FCombo);
    FCombo->setEditable(style == csDropDown);
    if (QLineEdit* edit = FCombo->lineEdit())
        QObject::connect(edit, &QLineEdit::textEdited, [this] {
            if (OnChange)
                Dispatch([this] { OnChange(this); });
        });
}

int TComboBox::ItemIndex() const
{
    return FCombo->currentIndex();
}

void TComboBox::SetItemIndex(int index)
{
    QSignalBlocker block(FCombo);
    FCombo->setCurrentIndex(index >= 0 && index < FCombo->count() ? index : -1);
}

AnsiString TComboBox::Text() const
{
    return FromQString(FCombo->currentText());
}

void TComboBox::SetText(const AnsiString& text)
{
    QSignalBlocker block(FCombo);
    if (FCombo->isEditable()) {
        FCombo->setEditText(ToQString(text));
        return;
    }
    FCombo->setCurrentIndex(FCombo->findText(ToQString(text)));
}
