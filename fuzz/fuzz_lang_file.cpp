// Feeds arbitrary bytes to the language-file reader.
#include "common/Comon_State.h"
#include "texts/Text_Table.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool ready = [] {
        UComon::Init_Text_Table();
        return true;
    }();
    (void)ready;
    QStringList table = UComon::Text_Table;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    UComon::Apply_Lang_Text(UComon::Decode_Lang_Bytes(bytes), table, UComon::Text_Table_Size);
    if (table.size() != UComon::Text_Lines)
        __builtin_trap(); // a language file never changes the number of lines
    return 0;
}
