#pragma once

namespace konwerter::run {

// The document registers whose number segment 1 may be renumbered with the communes.
struct SegmentOneOptions {
  bool oper_pr = false;   // "Operatów ewidencyjnych" (cboe)
  bool oper_bu = false;   // "Operatów bazowo-użytkowych" (cbob)
  bool oper_prz = false;  // "Operatów przejściowych" (cbop)
  bool szkice = false;    // "Szkiców polowych" (cbos)
  bool zarysy = false;    // "Zarysów" (cbz)
  bool kme = false;       // "KME" (cbk)
};

// The operator's choices for a run (the main window's check boxes).
struct RunOptions {
  bool renumber_communes = false;           // cbgmina "Konwersja numerów gmin"
  bool delete_unlinked_persons = true;      // cbosoby
  bool delete_unlinked_works = true;        // CBkerg
  bool delete_unlinked_assortments = true;  // cbasor (assortments, features, order assortments)
  bool delete_unlinked_precincts = true;    // cbobreby
  bool delete_unlinked_parcels = true;      // cbdzialki
  SegmentOneOptions segment_one;
  // Key look-ups built from the tables themselves; the .ntx files are never read.
  bool rebuild_indexes = false;
};

}  // namespace konwerter::run
