#pragma once

namespace nimbara {

// The most memory the decoding of one picture may take, for the whole process: the allocation
// limit of Qt's image readers, which covers the decoded picture, and the JPEG decoder's own
// working memory (JPEGMEM), which for a progressive JPEG holds the whole picture's coefficients
// before any of it comes out. A picture that needs more is refused like an unreadable one.
//
// Both bounds belong to the process, so a program sets them once, on purpose, when it starts;
// a JPEGMEM the user set in the environment stays as it is.
void setDecodeLimit(int megabytes);
// The bound set last; Qt's own default (128) until then.
int decodeLimit();

}  // namespace nimbara
