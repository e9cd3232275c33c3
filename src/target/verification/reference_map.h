#pragma once

#include <span>
#include <string_view>

namespace konwerter::verification {

// A table by its group folder under BAZA and its file name, as the catalogue names them.
struct TableName {
  std::string_view folder;
  std::string_view table;

  friend bool operator==(const TableName&, const TableName&) = default;
};

// One field of a converted table that refers to a record of another table by that record's
// key. `fields` and `referred_fields` name one field, or several joined by "+" (a price
// position: price list, list number, position), compared part by part without the spaces
// around them.
struct Reference {
  TableName table;
  std::string_view fields;
  TableName referred;
  std::string_view referred_fields;
  // The converters can leave the reference without its record when the DOS data did: they
  // give an identifier to every key a record names, and the dictionary then holds only the
  // keys its own DOS table had. Such a reference is a warning; any other unresolved one a
  // failure.
  bool may_dangle = false;
  // A value that stands for no record, as a blank one does (empty: blank only).
  std::string_view no_record = {};
};

// One identifier sequence of the sequence table and the identifiers it numbers: the field
// of the table whose records it gave out, `width` hexadecimal digits each.
struct SequenceUse {
  std::string_view row;  // TableName of the sequence table, as the converters write it
  TableName table;
  std::string_view field;
  int width = 8;
  // The identifiers are given per DOS key through the run's shared translation tables (the
  // dictionaries): a DOS table holding one key twice gives two records one identifier.
  bool per_dos_key = false;
};

// Every reference between the tables a conversion writes.
std::span<const Reference> References();

// Every sequence row a complete conversion writes.
std::span<const SequenceUse> Sequences();

// The sequence that numbers the records of `table`, nullptr when none does.
const SequenceUse* SequenceOf(const TableName& table);

}  // namespace konwerter::verification
