// libFuzzer's target for the data file reader: any bytes are read to the end (or refused with a
// message), under AddressSanitizer, without a crash or a hang.
#include <cstddef>
#include <cstdint>
#include <string>

#include "DataFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    for (char decimal : {'.', ','}) {
        TDataFileReader reader(std::string(reinterpret_cast<const char*>(data), size), decimal);
        while (!reader.Step()) {
        }
        if (reader.Refusal().empty() && reader.Columns().size() > 10000)
            __builtin_trap();  // more columns than the reader promises to list
        for (const TDataColumn& column : reader.Columns())
            if (!column.refusal.empty() && column.refusal.find("is not a number.") == std::string::npos)
                __builtin_trap();  // every refusal of a cell says why
    }
    return 0;
}
