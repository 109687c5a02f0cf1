#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace jet_test {

std::string fixture(const std::string& name);
std::vector<uint8_t> read_bytes(const std::string& path);
void write_bytes(const std::string& path, const std::vector<uint8_t>& bytes);
// The Jet 4 fixtures (the files the reader must read).
std::vector<std::string> jet4_fixtures();

}  // namespace jet_test
