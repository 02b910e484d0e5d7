#include "flight/flight_file.h"

#include <unistd.h>

#include <cerrno>
#include <vector>

#include "image_file/atomic_file.h"
#include "image_file/input_file.h"

namespace seedscape {

FlightReading ReadFlightFile(const std::string& path) {
    const InputFile input = OpenInputFile(path);
    if (input.fd < 0) return {std::nullopt, input.error};
    // One byte more than a flight may be tells a file that is too long, even
    // one that grows while it is read.
    std::string text(kLongestFlightText + 1, '\0');
    std::size_t length = 0;
    std::string error;
    while (length < text.size()) {
        const ssize_t got = read(input.fd, text.data() + length, text.size() - length);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            error = "cannot read " + path + ": " + ErrorText(errno);
            break;
        }
        if (got == 0) break;
        length += static_cast<std::size_t>(got);
    }
    close(input.fd);
    if (!error.empty()) return {std::nullopt, error};
    if (length > kLongestFlightText) {
        return {std::nullopt, path + " is longer than a flight may be (" +
                                  std::to_string(kLongestFlightText / 1024) + " KiB)"};
    }
    text.resize(length);
    FlightReading reading = ParseFlight(text);
    if (!reading.flight) reading.error = path + ": " + reading.error;
    return reading;
}

std::string WriteFlightFile(const std::string& path, const Flight& flight) {
    const std::string text = PrintFlight(flight);
    return WriteFileAtomically(path, std::vector<unsigned char>(text.begin(), text.end()));
}

}  // namespace seedscape
