// String and number routines with the class library's semantics (positions count bytes from 1).
#pragma once
#include "platform/core/AnsiString.h"
#include <cstdint>

// Case: UpperCase/LowerCase fold only A-Z; the Ansi forms fold every Windows-1252 letter.
AnsiString UpperCase(const AnsiString& s);
AnsiString LowerCase(const AnsiString& s);
AnsiString AnsiUpperCase(const AnsiString& s);
AnsiString AnsiLowerCase(const AnsiString& s);
int CompareText(const AnsiString& a, const AnsiString& b);     // A-Z folded; <0, 0, >0
int AnsiCompareText(const AnsiString& a, const AnsiString& b); // all letters folded
bool SameText(const AnsiString& a, const AnsiString& b);
bool AnsiSameText(const AnsiString& a, const AnsiString& b);

AnsiString Trim(const AnsiString& s);      // drops bytes <= ' ' at both ends
AnsiString TrimLeft(const AnsiString& s);
AnsiString TrimRight(const AnsiString& s);

// 1-based position of sub in s, 0 when absent or when sub is empty.
int Pos(const AnsiString& sub, const AnsiString& s);
// Count bytes from 1-based index; out-of-range parts are clipped, never thrown.
AnsiString Copy(const AnsiString& s, int index, int count);
// Removes count bytes from 1-based index (clipped).
void Delete(AnsiString& s, int index, int count);

AnsiString IntToStr(std::int64_t value);
AnsiString IntToHex(std::uint64_t value, int digits); // upper case, at least `digits` digits
// Decimal or "$"/"0x" hexadecimal with optional leading blanks and sign; raises EConvertError
// "'<s>' is not a valid integer value" on anything else (trailing blanks included) or on overflow.
int StrToInt(const AnsiString& s);
std::int64_t StrToInt64(const AnsiString& s);
int StrToIntDef(const AnsiString& s, int defaultValue);
bool TryStrToInt(const AnsiString& s, int& value);
bool TryStrToInt64(const AnsiString& s, std::int64_t& value);

// Rounds halves to even, as the class library does (2.5 -> 2, 7.5 -> 8). Both raise EInvalidOp
// "Invalid floating point operation" for NaN, infinity or a value outside 64 bits.
std::int64_t Round(double value);
std::int64_t Trunc(double value);

// Decimal numbers with the settings' DecimalSeparator, independent of the C locale. FloatToStr
// gives up to 15 significant digits and switches to "1,5E-6" form below 0.00001 or at 15
// digits before the separator. StrToFloat accepts blanks around an optionally signed number
// with an optional exponent; raises EConvertError "'<s>' is not a valid floating point value".
AnsiString FloatToStr(double value);
double StrToFloat(const AnsiString& s);
bool TryStrToFloat(const AnsiString& s, double& value);
