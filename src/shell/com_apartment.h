#pragma once
// The user-interface thread's COM apartment (single-threaded), entered for the owner's
// lifetime. The shell's shortcut objects need it; the portable build has nothing to enter.

namespace corvane {

class com_apartment {
public:
    com_apartment();
    ~com_apartment();
    com_apartment(const com_apartment&) = delete;
    com_apartment& operator=(const com_apartment&) = delete;

private:
    [[maybe_unused]] bool entered_ = false;  // the portable build enters nothing
};

}  // namespace corvane
