#include "report/map_facts.h"

#include "core/file_error.h"
#include "mapfile/map_sections.h"
#include "mapfile/pud_layout.h"

namespace glenmire {
namespace {

const MapSection& Require(const std::string& fileName, const MapSections& sections, const char* tag) {
  const MapSection* section = sections.Find(tag);
  if (!section) throw FileError(fileName, std::string("not a complete map: the \"") + tag + "\" section is missing");
  return *section;
}

template <typename T>
void PlayerBytes(const MapSections& sections, const char* tag, std::array<T, kPlayers>& out) {
  const MapSection* section = sections.Find(tag);
  for (int p = 0; section && p < kPlayers && section->Holds(p, 1); ++p) out[p] = section->Byte(p);
}

void PlayerWords(const MapSections& sections, const char* tag, std::array<int32_t, kPlayers>& out) {
  const MapSection* section = sections.Find(tag);
  for (int p = 0; section && p < kPlayers && section->Holds(2 * p, 2); ++p) out[p] = section->Word(2 * p);
}

}  // namespace

MapFacts ReadMapFacts(const std::vector<uint8_t>& bytes, const std::string& fileName) {
  const MapSections sections(fileName, bytes);
  const MapSection& dim = Require(fileName, sections, kTagDimensions);
  const MapSection& movement = Require(fileName, sections, kTagMovement);
  const MapSection& units = Require(fileName, sections, kTagUnits);
  if (!dim.Holds(0, 4)) throw FileError(fileName, "the \"DIM \" section is too short");
  const int side = dim.Word(0);
  if (dim.Word(2) != side || !IsMapSize(side))
    throw FileError(fileName, "unsupported map size " + std::to_string(side) + " x " + std::to_string(dim.Word(2)));
  const uint32_t cells = static_cast<uint32_t>(side * side);
  if (movement.length != 2 * cells)
    throw FileError(fileName, "the \"SQM \" section has " + std::to_string(movement.length) + " bytes, " +
                                  std::to_string(2 * cells) + " expected");
  if (units.length % kUnitRecordBytes != 0)
    throw FileError(fileName, "the \"UNIT\" section's length " + std::to_string(units.length) +
                                  " is not a whole number of 8-byte records");

  MapFacts facts;
  facts.mapSize = side;
  facts.movement.resize(cells);
  for (uint32_t i = 0; i < cells; ++i) facts.movement[i] = movement.Byte(2 * i);
  const MapSection* tiles = sections.Find(kTagTiles);
  if (tiles && tiles->length == 2 * cells) {
    facts.tiles.resize(cells);
    for (uint32_t i = 0; i < cells; ++i) facts.tiles[i] = tiles->Word(2 * i);
  }
  facts.units.reserve(units.length / kUnitRecordBytes);
  for (uint32_t at = 0; at < units.length; at += kUnitRecordBytes)
    facts.units.push_back(DecodeUnitRecord(units.body + at));

  facts.controller.fill(kControllerNobody);
  PlayerBytes(sections, kTagOwners, facts.controller);
  PlayerBytes(sections, kTagSides, facts.race);
  PlayerWords(sections, kTagStartGold, facts.gold);
  PlayerWords(sections, kTagStartLumber, facts.lumber);
  PlayerWords(sections, kTagStartOil, facts.oil);
  const MapSection* era = sections.Find(kTagEra);
  if (era && era->Holds(0, 1)) facts.climate = era->Byte(0);
  const MapSection* expansion = sections.Find(kTagEraExpansion);
  if (expansion && expansion->Holds(0, 1)) facts.climate = expansion->Byte(0);
  return facts;
}

}  // namespace glenmire
