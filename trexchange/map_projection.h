#pragma once

#include <memory>
#include <string>

#include "projection_settings.h"

// Longitude and latitude to a map's metres and back, through PROJ: the
// projected system of the settings, shifted so that its origin is the map's.
class TMapProjection {
 public:
  // Throws EImportError when PROJ does not know the system.
  explicit TMapProjection(const TProjectionSettings& Settings);
  ~TMapProjection();
  TMapProjection(const TMapProjection&) = delete;
  TMapProjection& operator=(const TMapProjection&) = delete;

  // False when the place cannot be projected.
  bool ToMap(double Lon, double Lat, double& X, double& Y) const;
  bool ToLonLat(double X, double Y, double& Lon, double& Lat) const;

  // A transverse Mercator centred on (Lon, Lat), whose centre is the origin.
  static TProjectionSettings CentredOn(double Lon, double Lat);

  // The projected system's coordinates, before the origin is taken off.
  bool ToProjected(double Lon, double Lat, double& X, double& Y) const;
  void SetOrigin(double X, double Y);
  const TProjectionSettings& Settings() const { return settings_; }

 private:
  struct TProj;
  std::unique_ptr<TProj> proj_;
  TProjectionSettings settings_;
};
