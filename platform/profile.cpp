#include "platform/profile.h"

namespace platform {

Text profileValueInBuffer(TextView value, size_t bufferChars)
{
    if (bufferChars == 0)
        return Text();
    // The opening quote is skipped, the rest cut to the buffer, and the last
    // character dropped only when the buffer had room for the closing quote.
    const bool quoted =
        value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front();
    if (quoted)
        value.remove_prefix(1);
    Text out(value.substr(0, bufferChars - 1));
    if (quoted && bufferChars >= value.size() && !out.empty())
        out.pop_back();
    return out;
}

} // namespace platform
