#pragma once

namespace app {

// What the force pass gathers for one particle.
struct SUM {
    double forceX, forceY;              // sum of pair forces, cells per turn
    double velocitySumX, velocitySumY;  // neighbour velocities, each times its viscosity weight
    double weight;                      // sum of the viscosity weights
};

}  // namespace app
