// String lists. TStrings is the abstract list that controls back with their own storage;
// TStringList keeps the strings itself.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/Object.h"
#include <string_view>
#include <vector>

// Lines of a text broken at CR LF, lone CR or lone LF; a trailing line break adds no empty line.
// Every byte else, NUL included, belongs to a line.
std::vector<AnsiString> SplitLines(std::string_view text);

class TStrings : public TObject {
public:
    ~TStrings() override = default;

    virtual int Count() const = 0;
    virtual AnsiString Get(int index) const = 0;
    virtual void Put(int index, const AnsiString& s);
    virtual TObject* GetObject(int index) const;
    virtual void PutObject(int index, TObject* object);
    virtual void Insert(int index, const AnsiString& s) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    AnsiString operator[](int index) const { return Get(index); }
    AnsiString Strings(int index) const { return Get(index); }
    TObject* Objects(int index) const { return GetObject(index); }

    virtual int Add(const AnsiString& s);
    int AddObject(const AnsiString& s, TObject* object);
    void InsertObject(int index, const AnsiString& s, TObject* object);
    void AddStrings(const TStrings& other);
    void Assign(const TStrings& other);
    virtual void Exchange(int a, int b);
    virtual void Move(int from, int to);
    // Index of the first string equal to s ignoring A-Z case, or -1.
    virtual int IndexOf(const AnsiString& s) const;
    int IndexOfObject(TObject* object) const;

    // Lines joined, each followed by CR LF.
    AnsiString Text() const;
    // Replaces the contents: lines break at CR LF, lone CR or lone LF, a NUL byte ends the text,
    // and a trailing line break adds no empty line.
    void SetText(const AnsiString& text);
    // Replaces the contents with lines the caller has split already.
    virtual void SetLines(const std::vector<AnsiString>& lines);
    // Elements separated by commas, quoted with '"' when they hold blanks, commas or quotes.
    AnsiString CommaText() const;
    void SetCommaText(const AnsiString& text);

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    // Raises EFOpenError / EFCreateError / EReadError / EWriteError as a file stream would.
    void LoadFromFile(const AnsiString& path);
    void SaveToFile(const AnsiString& path) const; // CR LF line ends, replaced atomically

protected:
    virtual void SetUpdateState(bool updating) { (void)updating; }
    // Appends many lines at once; lists that keep their own storage take them without copying.
    virtual void AddLines(std::vector<AnsiString>&& lines);

private:
    int FUpdateCount = 0;
};

enum class TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
public:
    TStringList() = default;
    TStringList(const TStringList& other);
    TStringList& operator=(const TStringList& other);

    int Count() const override { return static_cast<int>(FItems.size()); }
    AnsiString Get(int index) const override;
    void Put(int index, const AnsiString& s) override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* object) override;
    void Insert(int index, const AnsiString& s) override;
    void Delete(int index) override;
    void Clear() override;
    int Add(const AnsiString& s) override;
    int IndexOf(const AnsiString& s) const override;

    // Sorts ignoring A-Z case; stable for equal keys.
    virtual void Sort();
    void CustomSort(int (*compare)(TStringList& list, int a, int b));
    // With Sorted set, Add inserts in order and Duplicates decides what an equal string does.
    bool Sorted() const { return FSorted; }
    void SetSorted(bool sorted);
    TDuplicates Duplicates = TDuplicates::dupIgnore;
    // Binary search of a sorted list; index of the match or of the insertion point.
    bool Find(const AnsiString& s, int& index) const;

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

    // Copies into the strings the list already holds, so a list refilled again and again (a day
    // after another) keeps its memory.
    void SetLines(const std::vector<AnsiString>& lines) override;

protected:
    void SetUpdateState(bool updating) override;
    void AddLines(std::vector<AnsiString>&& lines) override;

private:
    struct Item {
        AnsiString text;
        TObject* object = nullptr;
    };
    void Changing();
    void Changed();
    void CheckIndex(int index, int limit) const;

    std::vector<Item> FItems;
    bool FSorted = false;
};
