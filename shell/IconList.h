// TIconList: the tray icon's animation frames. The control kit's list also streams itself; the
// tray icon needs only an owned, ordered list whose changes it hears of.
#pragma once
#include "shell/Icon.h"
#include <memory>
#include <vector>

class TIconList : public TObject {
public:
    ~TIconList() override;

    int Count() const { return static_cast<int>(FIcons.size()); }
    // The icon at `index`; raises EListError outside the list.
    TIcon* Icons(int index) const;
    // Appends a copy (an empty icon for nullptr); returns its index.
    int Add(const TIcon* icon);
    void Clear();
    void Assign(const TIconList& other);

    // Raised with the list as sender after every change, also of an icon in place.
    TNotifyEvent OnChange;

private:
    void Changed();
    std::vector<std::unique_ptr<TIcon>> FIcons;
    bool FUpdating = false;
};
