#pragma once

// A realistic mailbox of a chosen size, the same for the same seed: mail in nested folders
// (with "#" and duplicate names), a calendar, contacts and distribution lists, tasks, notes and
// a journal, with the attachment bytes spread over some of the mail.

#include "mailbox.h"

namespace pstgen {

struct SynthOptions {
    std::uint64_t items = 100;
    std::uint64_t attachmentMegabytes = 0;
    std::uint64_t seed = 1;
    Encoding encoding = Encoding::None;
};

Mailbox SynthesizeMailbox(const SynthOptions& options);

}  // namespace pstgen
