// GuiBitmapRef: one counted reference to a GuiBitmap, held for as long as
// the holder lives. A member of this type replaces the addRef in a
// constructor and the release in a destructor; the counts stay what the
// toolkit promises (each holder one reference).
//
// | how it is made                 | reference it holds                      |
// |--------------------------------|-----------------------------------------|
// | GuiBitmapRef(bitmap)           | a new one (addRef), none for null       |
// | GuiBitmapRef::adopt(bitmap)    | the one the creator got from `new`      |
// | copy                           | a new one                               |
// | move                           | the source's; the source holds nothing  |
// | reset(bitmap)                  | a new one on `bitmap`, after letting go |
// |                                | of the old one                          |
// Destruction and reset let go of the reference held (release).
//
// Threads: user-interface thread only, like the count it adjusts.
#pragma once

#include <utility>

#include "gui/core/bitmap.h"

class GuiBitmapRef {
public:
    GuiBitmapRef() = default;
    explicit GuiBitmapRef(GuiBitmap* bitmap) : bitmap(bitmap) {
        if (bitmap) bitmap->addRef();
    }
    // Takes over the reference that came with `new GuiBitmap`.
    static GuiBitmapRef adopt(GuiBitmap* created) {
        GuiBitmapRef ref;
        ref.bitmap = created;
        return ref;
    }

    GuiBitmapRef(const GuiBitmapRef& other) : GuiBitmapRef(other.bitmap) {}
    GuiBitmapRef(GuiBitmapRef&& other) noexcept : bitmap(std::exchange(other.bitmap, nullptr)) {}
    GuiBitmapRef& operator=(GuiBitmapRef other) noexcept {
        std::swap(bitmap, other.bitmap);
        return *this;
    }
    ~GuiBitmapRef() {
        if (bitmap) bitmap->release();
    }

    void reset(GuiBitmap* newBitmap = nullptr) { *this = GuiBitmapRef(newBitmap); }

    GuiBitmap* get() const { return bitmap; }
    GuiBitmap* operator->() const { return bitmap; }
    explicit operator bool() const { return bitmap != nullptr; }

private:
    GuiBitmap* bitmap = nullptr;
};
