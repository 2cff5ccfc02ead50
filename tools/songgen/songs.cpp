#include "arranger.h"
#include "book/book.h"

namespace songgen {

std::vector<SongDef> songBook()
{
    return {book::surdat(), book::vasa(), book::paravise(), book::anema(), book::guapparia()};
}

} // namespace songgen
