#include "map_projection.h"

#include <proj.h>

#include <cmath>
#include <cstdio>

#include "source_data.h"

struct TMapProjection::TProj {
  PJ_CONTEXT* Context = nullptr;
  PJ* Transform = nullptr;
  ~TProj() {
    if (Transform != nullptr) proj_destroy(Transform);
    if (Context != nullptr) proj_context_destroy(Context);
  }
};

TMapProjection::TMapProjection(const TProjectionSettings& Settings)
    : proj_(std::make_unique<TProj>()), settings_(Settings) {
  proj_->Context = proj_context_create();
  // Nothing from the network: the import is the same offline.
  proj_context_set_enable_network(proj_->Context, 0);
  proj_log_level(proj_->Context, PJ_LOG_NONE);
  PJ* raw = proj_create_crs_to_crs(proj_->Context, "EPSG:4326",
                                   Settings.Crs.c_str(), nullptr);
  if (raw != nullptr) {
    // Longitude first, whatever order the system's definition has.
    proj_->Transform = proj_normalize_for_visualization(proj_->Context, raw);
    proj_destroy(raw);
  }
  if (proj_->Transform == nullptr) {
    throw EImportError("unknown coordinate system '" + Settings.Crs + "'");
  }
}

TMapProjection::~TMapProjection() = default;

TProjectionSettings TMapProjection::CentredOn(double Lon, double Lat) {
  char text[200];
  std::snprintf(text, sizeof text,
                "+proj=tmerc +lat_0=%.9f +lon_0=%.9f +k=1 +x_0=0 +y_0=0 "
                "+ellps=WGS84 +units=m +type=crs",
                Lat, Lon);
  return TProjectionSettings{text, 0.0, 0.0};
}

bool TMapProjection::ToProjected(double Lon, double Lat, double& X,
                                 double& Y) const {
  PJ_COORD in = proj_coord(Lon, Lat, 0, 0);
  PJ_COORD out = proj_trans(proj_->Transform, PJ_FWD, in);
  if (!std::isfinite(out.xy.x) || !std::isfinite(out.xy.y)) return false;
  X = out.xy.x;
  Y = out.xy.y;
  return true;
}

void TMapProjection::SetOrigin(double X, double Y) {
  settings_.OriginX = X;
  settings_.OriginY = Y;
}

bool TMapProjection::ToMap(double Lon, double Lat, double& X, double& Y) const {
  if (!ToProjected(Lon, Lat, X, Y)) return false;
  X -= settings_.OriginX;
  Y -= settings_.OriginY;
  return true;
}

bool TMapProjection::ToLonLat(double X, double Y, double& Lon,
                              double& Lat) const {
  PJ_COORD in = proj_coord(X + settings_.OriginX, Y + settings_.OriginY, 0, 0);
  PJ_COORD out = proj_trans(proj_->Transform, PJ_INV, in);
  if (!std::isfinite(out.lp.lam) || !std::isfinite(out.lp.phi)) return false;
  Lon = out.lp.lam;
  Lat = out.lp.phi;
  return true;
}
