function L = levels (caller, bins, img)
%LEVELS  The levels per channel that BINS colour bins give IMG.
%   L = winscore.internal.levels(CALLER, BINS, IMG) is BINS for a grey
%   image and the whole cube root of BINS for an RGB one; a BINS that is
%   not a whole cube raises winscore:CALLER:binsNotCube.

% SPDX-License-Identifier: MIT

  if size (img, 3) == 1
    L = bins;
    return;
  end
  L = round (bins ^ (1 / 3));
  if L ^ 3 ~= bins
    winscore.internal.fail (caller, 'binsNotCube', bins);
  end
end
