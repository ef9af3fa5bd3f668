// Reading the PNG snapshots that the headless driver writes, to check
// drawing by its pixels.
#ifndef QUILLON_TESTS_SUPPORT_PNG_READER_H
#define QUILLON_TESTS_SUPPORT_PNG_READER_H

#include <stdint.h>

#include <string>
#include <vector>

// The RGB pixels of a PNG file, row after row, as 0xRRGGBB; empty when the
// file cannot be read.
std::vector<uint32_t> readPng(const std::string& path, int* width, int* height);

#endif
