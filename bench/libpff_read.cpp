// Reads a data file through libpff the way pffexport does, writing nothing: every folder, every
// item's properties, its recipients and its attachments' bytes. bench/compare shows it as the
// floor of time and memory that any reader built on libpff starts from.
#include <libpff.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct Tally {
    long items = 0;
    long attachments = 0;
    unsigned long long bytes = 0;
};

void ReadProperties(libpff_item_t* item, Tally& tally)
{
    int sets = 0;
    if (libpff_item_get_number_of_record_sets(item, &sets, nullptr) != 1)
        return;
    std::vector<uint8_t> data;
    for (int s = 0; s < sets; ++s) {
        libpff_record_set_t* set = nullptr;
        if (libpff_item_get_record_set_by_index(item, s, &set, nullptr) != 1)
            continue;
        int entries = 0;
        libpff_record_set_get_number_of_entries(set, &entries, nullptr);
        for (int e = 0; e < entries; ++e) {
            libpff_record_entry_t* entry = nullptr;
            if (libpff_record_set_get_entry_by_index(set, e, &entry, nullptr) != 1)
                continue;
            size_t size = 0;
            if (libpff_record_entry_get_data_size(entry, &size, nullptr) == 1 && size > 0) {
                data.resize(size);
                libpff_record_entry_get_data(entry, data.data(), size, nullptr);
                tally.bytes += size;
            }
            libpff_record_entry_free(&entry, nullptr);
        }
        libpff_record_set_free(&set, nullptr);
    }
}

void ReadAttachments(libpff_item_t* message, Tally& tally)
{
    int count = 0;
    if (libpff_message_get_number_of_attachments(message, &count, nullptr) != 1)
        return;
    std::vector<uint8_t> chunk(1 << 16);
    for (int a = 0; a < count; ++a) {
        libpff_item_t* attachment = nullptr;
        if (libpff_message_get_attachment(message, a, &attachment, nullptr) != 1)
            continue;
        ReadProperties(attachment, tally);
        size64_t size = 0;
        if (libpff_attachment_get_data_size(attachment, &size, nullptr) == 1 && size > 0 &&
            libpff_attachment_data_seek_offset(attachment, 0, SEEK_SET, nullptr) == 0) {
            ssize_t read = 0;
            while ((read = libpff_attachment_data_read_buffer(attachment, chunk.data(), chunk.size(), nullptr)) > 0)
                tally.bytes += static_cast<unsigned long long>(read);
        }
        ++tally.attachments;
        libpff_item_free(&attachment, nullptr);
    }
}

void ReadFolder(libpff_item_t* folder, Tally& tally)
{
    int messages = 0;
    libpff_folder_get_number_of_sub_messages(folder, &messages, nullptr);
    for (int m = 0; m < messages; ++m) {
        libpff_item_t* message = nullptr;
        if (libpff_folder_get_sub_message(folder, m, &message, nullptr) != 1)
            continue;
        ReadProperties(message, tally);
        libpff_item_t* recipients = nullptr;
        if (libpff_message_get_recipients(message, &recipients, nullptr) == 1) {
            ReadProperties(recipients, tally);
            libpff_item_free(&recipients, nullptr);
        }
        ReadAttachments(message, tally);
        ++tally.items;
        libpff_item_free(&message, nullptr);
    }
    int folders = 0;
    libpff_folder_get_number_of_sub_folders(folder, &folders, nullptr);
    for (int f = 0; f < folders; ++f) {
        libpff_item_t* child = nullptr;
        if (libpff_folder_get_sub_folder(folder, f, &child, nullptr) == 1) {
            ReadFolder(child, tally);
            libpff_item_free(&child, nullptr);
        }
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE.pst\n", argv[0]);
        return 2;
    }
    libpff_file_t* file = nullptr;
    libpff_item_t* root = nullptr;
    if (libpff_file_initialize(&file, nullptr) != 1 || libpff_file_open(file, argv[1], LIBPFF_OPEN_READ, nullptr) != 1 ||
        libpff_file_get_root_folder(file, &root, nullptr) != 1) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    Tally tally;
    ReadFolder(root, tally);
    std::printf("%ld items, %ld attachments, %llu bytes of values\n", tally.items, tally.attachments, tally.bytes);
    libpff_item_free(&root, nullptr);
    libpff_file_close(file, nullptr);
    libpff_file_free(&file, nullptr);
    return 0;
}
