#pragma once

#include <QtCore/QString>
#include <cstdint>

// Reads a whole number typed by the user: leading blanks, then an optional
// sign and decimal digits, or "$" and hexadecimal digits in either case.
// Nothing may follow the digits and the value must fit 32 bits, signed.
// Throws EConvertError "'TEXT' is not a valid integer value" otherwise.
int32_t StrToInt(const QString& Text);
