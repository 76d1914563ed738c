#pragma once
// The mouse's recoil tables: four guns, thirty bullets each, one file per gun
// ("ShootData_<gun>.Shoot" in the device's data folder) holding six macro-like events per
// bullet (left press and release, the horizontal and vertical move with the bullet's delay,
// two zero moves). Missing tables are copied from the shipped defaults; every write is atomic
// and keeps the document's other members; a file that cannot be read is never overwritten by
// a bullet edit.

#include <json/value.h>

#include <cstdint>
#include <string>

namespace md {

struct RecoilBullet {
    bool left = false;  // horizontal move to the left (else right)
    uint8_t x = 0;
    bool up = false;  // vertical move up (else down)
    uint8_t y = 0;
    uint16_t delay = 0;  // ms after the shot
    bool operator==(const RecoilBullet&) const = default;
};

class RecoilTables {
  public:
    static constexpr int kGuns = 4;
    static constexpr int kBullets = 30;
    static constexpr int kEventsPerBullet = 6;
    enum Result : int {
        kOk = 0,
        kWriteFailed = -1,   // the file could not be written (problem())
        kUnusableFile = -2,  // a table that cannot be read, or an import that is no table
        kNoDefault = -3,     // no shipped table to restore
    };

    RecoilTables(std::string userFolder, std::string defaultFolder);

    static std::string fileName(int gun);  // "ShootData_<gun>.Shoot"
    std::string userPath(int gun) const;
    std::string defaultPath(int gun) const;

    // Copies the shipped table over every missing or empty one. Returns how many were copied.
    int init();
    // A bullet as its file has it (missing events read as zero moves, "up" directions).
    RecoilBullet bullet(int gun, int bullet) const;
    // Writes a bullet's six events (distances and delay as given).
    int setBullet(int gun, int bullet, const RecoilBullet& b);
    int resetGun(int gun);
    // A table from a file: refused unless its root is an object with an "Events" list of
    // 180 events; the gun's table is untouched then.
    int importGun(int gun, const std::string& path);
    int exportGun(int gun, const std::string& path);

    const std::string& problem() const { return m_problem; }

    // Reads an edit's decimal text into [0, max]; junk reads as 0.
    static int fieldValue(const std::string& text, int max);
    // The six events of a bullet.
    static Json::Value bulletEvents(const RecoilBullet& b);

  private:
    int copyFile(const std::string& from, const std::string& to);
    static int clampGun(int gun);

    std::string m_user;
    std::string m_default;
    std::string m_problem;
};

}  // namespace md
