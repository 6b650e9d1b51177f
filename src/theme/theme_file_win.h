#pragma once
// Theme.ini of the current theme, read and written key by key through
// the private-profile functions, so other sections and keys stay.
namespace qb {

void read_theme();
// Writes all fourteen keys; the file is replaced whole, so a drive pulled
// mid-write leaves the old one. Nothing is written without the folder.
bool write_theme();

}  // namespace qb
