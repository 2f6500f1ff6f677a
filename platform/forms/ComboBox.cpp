#include "platform/forms/ComboBox.h"
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QListView>
#include <QPointer>
#include <algorithm>
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

// A combo box whose simple style shows its list all the time under the edit, as the system's
// simple combo box does; the other styles are Qt's own.
class ComboWidget : public QComboBox {
public:
    void SetSimple(bool simple)
    {
        if (simple == (FList != nullptr))
            return;
        if (!simple) {
            delete FList;
            FList = nullptr;
            if (lineEdit())
                lineEdit()->setFrame(false);
            updateGeometry();
            return;
        }
        FList = new QListView(this);
        FList->setObjectName("SimpleList");
        FList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        FList->setModel(model());
        QObject::connect(FList->selectionModel(), &QItemSelectionModel::currentChanged, this,
                         [this](const QModelIndex& current) { ListChosen(current.row()); });
        lineEdit()->setFrame(true);
        lineEdit()->installEventFilter(this);
        SyncList();
        LayOut();
        FList->show();
    }
    // The list follows a choice made from code, which raises no signal.
    void SyncList()
    {
        if (!FList)
            return;
        FSyncing = true;
        FList->setCurrentIndex(model()->index(currentIndex(), 0));
        FSyncing = false;
    }
    // The line edit hands on every edit once, however often the style is set.
    bool TakeNewLineEdit()
    {
        if (!lineEdit() || lineEdit() == FWatchedEdit)
            return false;
        FWatchedEdit = lineEdit();
        return true;
    }
    void showPopup() override
    {
        if (!FList)
            QComboBox::showPopup();
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        // The simple style is its framed edit and its list; there is no box to draw.
        if (!FList)
            QComboBox::paintEvent(event);
    }
    void resizeEvent(QResizeEvent* event) override
    {
        QComboBox::resizeEvent(event);
        LayOut();
    }
    void showEvent(QShowEvent* event) override
    {
        QComboBox::showEvent(event);
        LayOut();
    }
    void changeEvent(QEvent* event) override
    {
        QComboBox::changeEvent(event);
        LayOut();
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        if (!FList)
            QComboBox::mousePressEvent(event);
    }
    // Qt places the edit in the middle of the box whenever it lays the box out; the simple
    // style keeps it at the top.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (FList && watched == lineEdit() && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
            LayOut();
        return QComboBox::eventFilter(watched, event);
    }

private:
    void LayOut()
    {
        if (!FList)
            return;
        int editHeight = std::min(lineEdit()->sizeHint().height(), height());
        if (lineEdit()->geometry() != QRect(0, 0, width(), editHeight))
            lineEdit()->setGeometry(0, 0, width(), editHeight);
        FList->setGeometry(0, editHeight, width(), std::max(0, height() - editHeight));
        // An owner-drawn combo box draws the list's rows as its drop-down's.
        if (FList->itemDelegate() != itemDelegate())
            FList->setItemDelegate(itemDelegate());
    }
    void ListChosen(int row)
    {
        if (FSyncing || row < 0 || row == currentIndex())
            return;
        setCurrentIndex(row);
        emit activated(row);
    }

    QListView* FList = nullptr;
    QPointer<QLineEdit> FWatchedEdit;
    bool FSyncing = false;
};

} // namespace

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner), FCombo(new ComboWidget())
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
    auto* combo = static_cast<ComboWidget*>(FCombo);
    combo->SetSimple(false);
    FCombo->setEditable(style != csDropDownList);
    if (combo->TakeNewLineEdit())
        QObject::connect(FCombo->lineEdit(), &QLineEdit::textEdited, [this] {
            if (OnChange)
                Dispatch([this] { OnChange(this); });
        });
    combo->SetSimple(style == csSimple);
}

int TComboBox::ItemIndex() const
{
    return FCombo->currentIndex();
}

void TComboBox::SetItemIndex(int index)
{
    QSignalBlocker block(FCombo);
    FCombo->setCurrentIndex(index >= 0 && index < FCombo->count() ? index : -1);
    static_cast<ComboWidget*>(FCombo)->SyncList();
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
